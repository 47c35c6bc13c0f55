# End to end: kestrel-report --api vulkan on lavapipe, the validation layer silent, writes a whole
# report that holds up, in a browser too, and measures what GL on llvmpipe, which shares lavapipe's
# sampling, measures within 0.05 level a panel; --compare names both; a missing device gives 2.
source "$(dirname "$0")/e2e_lib.sh"
# lavapipe alone, whatever GPU the machine has; the validation layer must be there to be heard.
# Its manifest is named for the machine's architecture (Mesa 22) or not (Mesa 25).
for lavapipe in /usr/share/vulkan/icd.d/lvp_icd.{"$(uname -m)".json,json}; do
  [ -f "$lavapipe" ] && break
done
[ -f "$lavapipe" ] || fail "no lavapipe ($lavapipe): tools/install-deps.sh test installs it"
export VK_ICD_FILENAMES=$lavapipe
[ -f /usr/share/vulkan/explicit_layer.d/VkLayer_khronos_validation.json ] ||
  fail "no validation layer: tools/install-deps.sh test installs it"

expect_run 0 "0: llvmpipe (LLVM" --api vulkan --list-devices
expect_run 2 'Vulkan lists these devices:' --api vulkan --device 99 --out "$WORK/x"
echo "ok: --list-devices and a missing device with --api vulkan"

# From the program's own folder, so that the units' pictures are found for panels.png.
settings=(--angles 0,45,90 --repeats 3)
(export VK_INSTANCE_LAYERS=VK_LAYER_KHRONOS_validation \
   VK_LAYER_ENABLES=VK_VALIDATION_FEATURE_ENABLE_SYNCHRONIZATION_VALIDATION_EXT
 report_from_own_folder --api vulkan --out "$WORK/vulkan" "${settings[@]}")
! grep -q "Vulkan \(error\|warning\)\|Vulkan layers printed" "$WORK/err" ||
  fail "the validation layer said: $(grep "Vulkan" "$WORK/err" | head -n 5)"
platform='^- Platform: Vulkan 1\.[0-9.]*, no window system, device 0: llvmpipe.*, drawn into an image'
expect_line "$platform" "$WORK/vulkan/report.md"
python3 "$CHECK" "$WORK/vulkan"
python3 "$HTML_CHECK" "$WORK/vulkan/report.html"

(unset DISPLAY; report_from_own_folder --out "$WORK/gl" "${settings[@]}")
python3 "$CHECK" --alike "$WORK/gl" "$WORK/vulkan"
(cd "$WORK" && "$KESTREL" --compare gl vulkan --out . 2>"$WORK/err") ||
  fail "--compare failed: $(cat "$WORK/err")"
expect_line '^| Platform | EGL, .* | Vulkan 1\.' "$WORK/compare.md"  # the API of each report
python3 "$HTML_CHECK" "$WORK/compare.html" "$WORK/gl" "$WORK/vulkan"
echo "ok: compare.md puts the GL and the Vulkan report side by side"
