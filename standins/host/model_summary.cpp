#include "standins/host/model_summary.h"

#ifdef KV_HAVE_A3D_STORE
#include "standins/a3dlib/model_file_summary.h"
#endif

namespace standin {

std::string DescribeModelFile(const std::vector<uint8_t>& bytes) {
#ifdef KV_HAVE_A3D_STORE
  a3dstore::ModelFileSummary summary;
  if (!a3dstore::SummarizeModelFile(bytes.data(), bytes.size(), &summary)) {
    return "not a model file this host can read";
  }
  return std::to_string(summary.triangles) + " triangles in " +
         std::to_string(summary.tessellations) + " tessellations, " +
         std::to_string(summary.occurrences) + " occurrences, model \"" + summary.modelFileName +
         "\"";
#else
  (void)bytes;
  return "triangles not counted: the model file reader is not built";
#endif
}

}  // namespace standin
