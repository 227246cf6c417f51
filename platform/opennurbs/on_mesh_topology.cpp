// ON_MeshTopology: grouping mesh vertices by location with an open-addressing hash table.
//
// The table holds mesh vertex indices (~0u marks an empty slot), one per distinct location: the
// first vertex seen there. Keys are compared by the coordinates' bits with -0 folded to +0, so
// equal bits mean equal floats; NaN vertices never enter the table. Buckets are a power of two
// of at least 1.25 times the vertex count and probing is quadratic (triangular steps), which
// visits every slot, so a lookup always ends at the key or at an empty slot.
//
// An index needs only the low bits of a slot; the bits above it keep the same bits of the
// location's hash. A slot whose hash bits differ is another location, known without reading
// its vertex: that read, to a random place in a large array, is what a collision costs.
#include "platform/opennurbs/on_mesh_topology.h"

#include <cstdint>
#include <cstring>

#include "platform/opennurbs/on_mesh.h"

namespace {

constexpr unsigned kEmpty = ~0u;

struct Key {
  std::uint32_t x, y, z;
  bool nan;
};

inline std::uint32_t Folded(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return (b & 0x7fffffffu) == 0 ? 0u : b;  // -0 and +0 are one location
}

inline bool IsNan(std::uint32_t b) {
  return (b & 0x7fffffffu) > 0x7f800000u;
}

inline Key KeyOf(const ON_3fPoint& p) {
  Key k{Folded(p.x), Folded(p.y), Folded(p.z), false};
  k.nan = IsNan(k.x) || IsNan(k.y) || IsNan(k.z);
  return k;
}

inline bool SameKey(const Key& a, const Key& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

inline std::uint32_t Mix(std::uint32_t h) {
  h ^= h >> 16;
  h *= 0x85ebca6bu;
  h ^= h >> 13;
  h *= 0xc2b2ae35u;
  h ^= h >> 16;
  return h;
}

// Coordinates of models sit on grids with many zero low bits: every word is mixed in fully.
inline std::uint32_t Hash(const Key& k) {
  std::uint32_t h = Mix(k.x * 0x9e3779b1u);
  h = Mix(h ^ (k.y * 0x7feb352du));
  return Mix(h ^ (k.z * 0x846ca68bu));
}

// The smallest power of two of at least 1.25 * count, or 0 when that is too many for an array.
inline int BucketCount(int count) {
  const std::int64_t wanted = static_cast<std::int64_t>(count) + (count + 3) / 4;
  std::int64_t buckets = 16;
  while (buckets < wanted) {
    buckets *= 2;
  }
  return buckets <= on_internal::MaxCount<unsigned>() ? static_cast<int>(buckets) : 0;
}

// The slot bits above the index field, which is the narrowest that holds every index below
// count and never all ones (count - 1 < 2^bits - 1), so that no full slot equals kEmpty.
inline unsigned HashBitsMask(int count) {
  int bits = 0;
  while (bits < 31 && (std::uint32_t{1} << bits) <= static_cast<std::uint32_t>(count)) {
    ++bits;
  }
  return ~((std::uint32_t{1} << bits) - 1);
}

// Asks for the cache line holding p; a hint only.
inline void Prefetch(const void* p) {
#if defined(__GNUC__)
  __builtin_prefetch(p);
#endif
}

// Whether a slot is empty is unpredictable, so the processor cannot run ahead of a lookup by
// itself: the loop asks for the slots of the vertices to come well before it reaches them.
constexpr int kAhead = 16;

struct Table {
  unsigned* slots;
  unsigned mask;       // slot count - 1
  unsigned hash_bits;  // see HashBitsMask
};

// The topological vertex of vertex i, entering it in the table when its location is new (then
// its number is next).
inline int Find(const Table& t, const ON_3fPoint* v, const int* map, int i, std::uint32_t h,
                int next) {
  const Key key = KeyOf(v[i]);
  if (key.nan) {
    return next;
  }
  const unsigned index_bits = ~t.hash_bits;
  unsigned slot = h & t.mask;
  for (unsigned step = 1;; ++step) {
    const unsigned e = t.slots[slot];
    if (e == kEmpty) {
      t.slots[slot] = static_cast<unsigned>(i) | (h & t.hash_bits);
      return next;
    }
    if (((e ^ h) & t.hash_bits) == 0 && SameKey(KeyOf(v[e & index_bits]), key)) {
      return map[e & index_bits];
    }
    slot = (slot + step) & t.mask;
  }
}

// Fills map and first; both have room for count entries, so the appends cannot fail.
__attribute__((always_inline)) inline void GroupInline(const ON_3fPoint* v, int count,
                                                       const Table& t, int* map,
                                                       ON_SimpleArray<int>& first) {
  std::uint32_t ahead[kAhead];  // vertex j's hash at j % kAhead
  for (int j = 0; j < kAhead && j < count; ++j) {
    ahead[j] = Hash(KeyOf(v[j]));
    Prefetch(t.slots + (ahead[j] & t.mask));
  }
  int next = 0;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t h = ahead[i % kAhead];
    if (i + kAhead < count) {
      const std::uint32_t later = Hash(KeyOf(v[i + kAhead]));
      ahead[i % kAhead] = later;
      Prefetch(t.slots + (later & t.mask));
    }
    const int top = Find(t, v, map, i, h, next);
    if (top == next) {
      first.Append(i);
      ++next;
    }
    map[i] = top;
  }
}

void Group(const ON_3fPoint* v, int count, const Table& t, int* map, ON_SimpleArray<int>& first) {
  GroupInline(v, count, t, map, first);
}

#if defined(__i386__) && !defined(__SSE__)
// The 32-bit build targets processors that may lack the prefetch instruction, and without it
// grouping is twice as slow: a copy of the loop that has it runs where the processor does.
__attribute__((target("sse"))) void GroupPrefetching(const ON_3fPoint* v, int count, const Table& t,
                                                     int* map, ON_SimpleArray<int>& first) {
  GroupInline(v, count, t, map, first);
}

void GroupFastest(const ON_3fPoint* v, int count, const Table& t, int* map,
                  ON_SimpleArray<int>& first) {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("sse")) {
    GroupPrefetching(v, count, t, map, first);
  } else {
    Group(v, count, t, map, first);
  }
}
#else
void GroupFastest(const ON_3fPoint* v, int count, const Table& t, int* map,
                  ON_SimpleArray<int>& first) {
  Group(v, count, t, map, first);
}
#endif

}  // namespace

bool ON_MeshTopology::Create(const ON_Mesh& mesh) {
  Destroy();
  m_mesh = &mesh;
  const int count = mesh.m_V.Count();
  if (count == 0) {
    return true;
  }
  const int buckets = BucketCount(count);
  // The table lives in reserved storage only: it is filled with kEmpty once, not zeroed first.
  ON_SimpleArray<unsigned> table;
  if (buckets == 0 || !table.Reserve(buckets) || !m_topv_map.SetCount(count) ||
      !m_topv_first.Reserve(count)) {
    Destroy();
    m_mesh = &mesh;
    return false;
  }
  std::memset(table.Array(), 0xff, sizeof(unsigned) * static_cast<std::size_t>(buckets));
  const Table t{table.Array(), static_cast<unsigned>(buckets - 1), HashBitsMask(count)};
  GroupFastest(mesh.m_V.Array(), count, t, m_topv_map.Array(), m_topv_first);
  m_topv_first.SetCapacity(m_topv_first.Count());  // should it fail, the array stays larger
  return true;
}

void ON_MeshTopology::Destroy() {
  m_topv_map.Destroy();
  m_topv_first.Destroy();
  m_mesh = nullptr;
}

ON_3fPoint ON_MeshTopology::TopVertexPoint(int topVertexIndex) const {
  const int* vi = m_topv_first.At(topVertexIndex);
  if (vi == nullptr || m_mesh == nullptr) {
    return ON_3fPoint(0.0f, 0.0f, 0.0f);
  }
  const ON_3fPoint* p = m_mesh->m_V.At(*vi);
  return p != nullptr ? *p : ON_3fPoint(0.0f, 0.0f, 0.0f);
}
