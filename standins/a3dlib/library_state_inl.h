// Template definitions of library_state.h.
#pragma once

#include "standins/a3dlib/a3dlib_codes.h"

namespace a3dlib {

template <class T>
A3dStatus Lookup(A3dEntity handle, T** found) {
  Entity* entity = FindEntity(handle);
  if (!entity) {
    return kErrInvalidEntity;
  }
  T* data = std::get_if<T>(&entity->data);
  if (!data) {
    return kErrWrongType;
  }
  *found = data;
  return kA3dSuccess;
}

}  // namespace a3dlib
