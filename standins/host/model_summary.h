// One line on what a model file holds, for the documents a run opened.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

std::string DescribeModelFile(const std::vector<uint8_t>& bytes);

}  // namespace standin
