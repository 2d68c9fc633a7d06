#include "association/association_rules.h"

#include "text/ansi_text.h"

namespace {

bool IsForbiddenInExtension(unsigned char b) {
  if (b < 0x20 || b == 0x7F) return true;
  switch (b) {
    case '\\': case '/': case ':': case '*': case '?':
    case '"': case '<': case '>': case '|':
      return true;
  }
  return false;
}

std::string Joined(std::string_view a, std::string_view b) {
  std::string s;
  s.reserve(a.size() + b.size());
  s.append(a).append(b);
  return s;
}

}  // namespace

ExtensionCheck CheckExtension(std::string_view ext) {
  if (ext.empty() || ext[0] == '.') return ExtensionCheck::kInvalid;
  for (size_t i = 0; i < ext.size(); i += text::CharLength(ext, i)) {
    // The second byte of a double-byte character is part of a letter, even
    // when it equals '\\' or '|'.
    if (text::CharLength(ext, i) == 1 && IsForbiddenInExtension(static_cast<unsigned char>(ext[i])))
      return ExtensionCheck::kInvalid;
  }
  static constexpr std::string_view kExecutableTypes[] = {"exe", "com", "bat", "cmd", "pif", "scr", "lnk"};
  for (std::string_view type : kExecutableTypes) {
    if (text::EqualsIgnoringAsciiCase(ext, type)) return ExtensionCheck::kExecutableType;
  }
  return ExtensionCheck::kUsable;
}

std::string ProgramTypeName(std::string_view ext) { return Joined(ext, "file"); }

std::string ExtensionItem(std::string_view ext) { return "." + Joined(ext, "\\"); }
std::string DefaultIconItem(std::string_view ext) { return Joined(ext, "file\\DefaultIcon\\"); }
std::string OpenCommandItem(std::string_view ext) { return Joined(ext, "file\\shell\\open\\command\\"); }
std::string OpenKeyItem(std::string_view ext) { return Joined(ext, "file\\shell\\open\\"); }
std::string ShellKeyItem(std::string_view ext) { return Joined(ext, "file\\shell\\"); }
std::string ProgramTypeItem(std::string_view ext) { return Joined(ext, "file\\"); }

std::string OpenCommand(std::string_view program, bool namesExistingFile) {
  bool quoted = !program.empty() && program.front() == '"';
  bool needsQuotes = namesExistingFile && !quoted && program.find(' ') != std::string_view::npos;
  std::string command;
  if (needsQuotes) {
    command = "\"" + Joined(program, "\"");
  } else {
    command = std::string(program);
  }
  return command + "  \"%1\"";
}

bool NamesProgramTypeOf(std::string_view value, std::string_view ext) {
  return text::EqualsIgnoringAsciiCase(value, ProgramTypeName(ext));
}
