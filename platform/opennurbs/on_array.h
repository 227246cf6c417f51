// The toolkit's arrays.
#pragma once

#include "platform/opennurbs/on_class_array.h"
#include "platform/opennurbs/on_simple_array.h"
