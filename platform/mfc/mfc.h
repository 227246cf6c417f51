// The whole class library subset.
#pragma once

#include "cstring.h"
#include "cstring_array.h"
#include "file_dialog.h"
#include "message_map.h"
#include "object_chain.h"
