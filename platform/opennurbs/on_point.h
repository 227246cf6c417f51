// Points and vectors of the mesh toolkit: three floats or three doubles, nothing else in them, so
// arrays of them can be copied as bytes.
#pragma once

#include <cmath>

struct ON_3fPoint;
struct ON_3dPoint;
struct ON_3fVector;
struct ON_3dVector;

struct ON_3dPoint {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  ON_3dPoint() = default;
  ON_3dPoint(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
  // Every float is a double: widening is exact.
  inline ON_3dPoint(const ON_3fPoint& p);
};

struct ON_3fPoint {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  ON_3fPoint() = default;
  ON_3fPoint(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
  // Rounds each coordinate to the nearest float; explicit so that precision is never lost
  // without the caller saying so.
  explicit ON_3fPoint(const ON_3dPoint& p)
      : x(static_cast<float>(p.x)), y(static_cast<float>(p.y)), z(static_cast<float>(p.z)) {}
};

inline ON_3dPoint::ON_3dPoint(const ON_3fPoint& p) : x(p.x), y(p.y), z(p.z) {}

struct ON_3dVector {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  ON_3dVector() = default;
  ON_3dVector(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
  inline ON_3dVector(const ON_3fVector& v);

  double LengthSquared() const { return x * x + y * y + z * z; }
  inline double Length() const;
  // Scales to length 1. A zero or non-finite vector cannot be unitized: it is left as it is and
  // the answer is false.
  inline bool Unitize();
};

struct ON_3fVector {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  ON_3fVector() = default;
  ON_3fVector(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
  explicit ON_3fVector(const ON_3dVector& v)
      : x(static_cast<float>(v.x)), y(static_cast<float>(v.y)), z(static_cast<float>(v.z)) {}

  // Computed in double: a float's square never overflows there.
  double LengthSquared() const { return ON_3dVector(*this).LengthSquared(); }
  double Length() const { return ON_3dVector(*this).Length(); }
  inline bool Unitize();
};

inline ON_3dVector::ON_3dVector(const ON_3fVector& v) : x(v.x), y(v.y), z(v.z) {}

inline double ON_3dVector::Length() const {
  const double len = std::sqrt(LengthSquared());
  if (std::isfinite(len) || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
    return len;
  }
  // The squares overflowed although the vector is finite: scale it into range first.
  const double m = std::fmax(std::fabs(x), std::fmax(std::fabs(y), std::fabs(z)));
  const ON_3dVector s(x / m, y / m, z / m);
  return m * std::sqrt(s.LengthSquared());
}

inline bool ON_3dVector::Unitize() {
  const double len = Length();
  if (!(len > 0.0) || !std::isfinite(len)) {
    return false;
  }
  x /= len;
  y /= len;
  z /= len;
  return true;
}

inline bool ON_3fVector::Unitize() {
  ON_3dVector d(*this);
  if (!d.Unitize()) {
    return false;
  }
  *this = ON_3fVector(d);
  return true;
}

inline bool operator==(const ON_3fPoint& a, const ON_3fPoint& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline bool operator!=(const ON_3fPoint& a, const ON_3fPoint& b) {
  return !(a == b);
}
inline bool operator==(const ON_3dPoint& a, const ON_3dPoint& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline bool operator!=(const ON_3dPoint& a, const ON_3dPoint& b) {
  return !(a == b);
}
inline bool operator==(const ON_3fVector& a, const ON_3fVector& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline bool operator!=(const ON_3fVector& a, const ON_3fVector& b) {
  return !(a == b);
}
inline bool operator==(const ON_3dVector& a, const ON_3dVector& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline bool operator!=(const ON_3dVector& a, const ON_3dVector& b) {
  return !(a == b);
}

inline ON_3fVector operator-(const ON_3fPoint& a, const ON_3fPoint& b) {
  return ON_3fVector(a.x - b.x, a.y - b.y, a.z - b.z);
}
inline ON_3dVector operator-(const ON_3dPoint& a, const ON_3dPoint& b) {
  return ON_3dVector(a.x - b.x, a.y - b.y, a.z - b.z);
}
inline ON_3fPoint operator+(const ON_3fPoint& p, const ON_3fVector& v) {
  return ON_3fPoint(p.x + v.x, p.y + v.y, p.z + v.z);
}
inline ON_3dPoint operator+(const ON_3dPoint& p, const ON_3dVector& v) {
  return ON_3dPoint(p.x + v.x, p.y + v.y, p.z + v.z);
}
inline ON_3fVector operator*(float s, const ON_3fVector& v) {
  return ON_3fVector(s * v.x, s * v.y, s * v.z);
}
inline ON_3dVector operator*(double s, const ON_3dVector& v) {
  return ON_3dVector(s * v.x, s * v.y, s * v.z);
}

inline double ON_DotProduct(const ON_3dVector& a, const ON_3dVector& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline double ON_DotProduct(const ON_3fVector& a, const ON_3fVector& b) {
  return ON_DotProduct(ON_3dVector(a), ON_3dVector(b));
}
inline ON_3dVector ON_CrossProduct(const ON_3dVector& a, const ON_3dVector& b) {
  return ON_3dVector(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
inline ON_3fVector ON_CrossProduct(const ON_3fVector& a, const ON_3fVector& b) {
  return ON_3fVector(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
