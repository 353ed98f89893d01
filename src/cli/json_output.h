#pragma once

#include <nlohmann/json.hpp>

#include <exception>
#include <iostream>
#include <string>
#include <type_traits>

#include "cli/cli_context.h"

namespace liftvox::cli {

// Builds a JSON document with `build` and prints it with a line end. Text
// that is not UTF-8 is replaced, not refused, and whatever fails while the
// document is built or written (memory, a type error) ends the command with
// a CliError: no exception leaves a JSON writer to end the program.
template <typename Build>
void PrintJson(Build&& build, int indent = -1) {
  std::string text;
  try {
    const auto document = build();
    using Json = std::remove_cvref_t<decltype(document)>;
    text = document.dump(indent, ' ', false, Json::error_handler_t::replace);
  } catch (const std::exception& error) {
    throw CliError(std::string("cannot write the JSON: ") + error.what());
  }
  std::cout << text << '\n';
}

}  // namespace liftvox::cli
