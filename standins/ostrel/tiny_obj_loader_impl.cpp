// The OBJ parser, compiled into this module.
#define TINYOBJLOADER_IMPLEMENTATION
#include "tiny_obj_loader.h"
