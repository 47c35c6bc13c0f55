// Pi and the conversion of degrees to radians, for every angle the system turns or draws.
#pragma once

inline constexpr double pi = 3.14159265358979323846;

inline constexpr double radians(double degrees) { return degrees * pi / 180.0; }
