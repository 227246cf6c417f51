#include "standins/a3dlib/test_hook.h"

#include <type_traits>

#include "standins/a3dlib/a3d_export.h"
#include "standins/a3dlib/library_log.h"
#include "standins/a3dlib/store_memory.h"

extern "C" KV_A3D_EXPORT void A3DCALL KvA3dFailAllocation(int32_t skip) {
  a3dstore::FailAllocationAfter(skip);
  a3dlib::LogLine("KvA3dFailAllocation skip=%d", skip);
}
static_assert(std::is_same<decltype(&KvA3dFailAllocation), KvA3dFailAllocationFn>::value,
              "KvA3dFailAllocation has the type tests call");
