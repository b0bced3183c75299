#pragma once
#include <cstdint>
#include <string_view>
// Evaluates the expression of an #if or #elif line (after `defined` and macro
// substitution). Returns the value with error_flag 0, or 0 with error_flag -1.
int32_t evaluate_if_expression(std::string_view text, int& error_flag);
