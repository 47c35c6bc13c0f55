// PanInteractor and DollyInteractor: the drag interactors that move the scene in the x/y plane
// and along z.
#include "interact/translation_interactors.h"

#include "interact/gl_transform.h"

void TranslationInteractor::apply_transform() const { gl_translate(translation); }

void TranslationInteractor::apply_inverse_transform() const { gl_translate(-translation); }

Matrix4 TranslationInteractor::get_transform() const {
  Matrix4 t;
  t.set_translation(translation);
  return t;
}

Matrix4 TranslationInteractor::get_inverse_transform() const {
  Matrix4 t;
  t.set_translation(-translation);
  return t;
}

void TranslationInteractor::move(Vector3 v, bool subtract) {
  if (follow_rotation != nullptr) v = follow_rotation->rotate_vector(v);
  const Vector3 offset = step * v;
  if (subtract != invert)
    translation -= offset;
  else
    translation += offset;
  request_redisplay();
}

void PanInteractor::update() { move({float(delta_x), float(delta_y), 0.0f}, false); }

void DollyInteractor::update() { move({0.0f, 0.0f, float(delta_y)}, true); }
