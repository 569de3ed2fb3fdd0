// Lines of a scenario script as words: bare words and "quoted strings" with
// \xHH \r \n \t \\ \" escapes; ${NAME} takes an environment variable (a
// Unix absolute path turns into its Wine form, Z:\...).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace versotime {
namespace player {

using Lookup = std::function<bool(const std::string& name, std::string& value)>;

// False with a reason when the line is malformed. A blank line or a
// comment (first non-blank character '#') gives no words.
bool split_line(const std::string& line, const Lookup& lookup, std::vector<std::string>& words, std::string& error);

// Bytes shown in a message: printable ASCII as is, the rest escaped, quoted.
std::string quoted(const std::string& bytes);
// Several such texts in brackets, for a list in a message.
std::string joined(const std::vector<std::string>& items);

// The environment lookup scripts use.
bool environment_lookup(const std::string& name, std::string& value);

}  // namespace player
}  // namespace versotime
