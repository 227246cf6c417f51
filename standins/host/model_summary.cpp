#include "standins/host/model_summary.h"

#include "standins/a3dlib/model_file_summary.h"

namespace standin {

std::string DescribeModelFile(const std::vector<uint8_t>& bytes) {
  a3dstore::ModelFileSummary summary;
  if (!a3dstore::SummarizeModelFile(bytes.data(), bytes.size(), &summary)) {
    return "not a model file this host can read";
  }
  return std::to_string(summary.triangles) + " triangles in " +
         std::to_string(summary.tessellations) + " tessellations, " +
         std::to_string(summary.occurrences) + " occurrences, model \"" + summary.modelFileName +
         "\"";
}

}  // namespace standin
