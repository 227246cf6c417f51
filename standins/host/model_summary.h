// One line on what a model file holds and whether a viewer could draw it: every position a
// triangle names lies inside the coordinates, and every normal's inside the normals.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// "model: 16 triangles in 1 tessellation, 1 occurrence, named "M"; coordinates cover every
// index, normals cover theirs", or "model damaged: <the first fault a viewer would meet>", or
// why the bytes are no model at all.
std::string DescribeModelFile(const std::vector<uint8_t>& bytes);

}  // namespace standin
