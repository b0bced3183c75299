// Error codes of the Windows calls that report them as results (the registry
// calls return them directly).
#pragma once

#include "platform/types.h"

using LSTATUS = LONG;

enum : LONG {
    ERROR_SUCCESS = 0,
    ERROR_FILE_NOT_FOUND = 2,
    ERROR_ACCESS_DENIED = 5,
    ERROR_INVALID_HANDLE = 6,
    ERROR_NOT_ENOUGH_MEMORY = 8,
    ERROR_INVALID_PARAMETER = 87,
    ERROR_MORE_DATA = 234,
    ERROR_REGISTRY_IO_FAILED = 1016,
};
