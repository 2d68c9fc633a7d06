// What an association looks like in the registry, and which inputs can make
// one, as plain functions over texts. The registry calls live in
// association.cpp.
#pragma once

#include <string>
#include <string_view>

enum class ExtensionCheck {
  kUsable,
  kInvalid,         // empty, leading ".", or a character a key name cannot carry
  kExecutableType,  // exe, com, bat, cmd, pif, scr, lnk: never re-associated
};

ExtensionCheck CheckExtension(std::string_view ext);

// The program type an extension is tied to: ext + "file".
std::string ProgramTypeName(std::string_view ext);

// Item texts (key path + "\" + value name; empty name = default value).
std::string ExtensionItem(std::string_view ext);      // "." ext "\"
std::string DefaultIconItem(std::string_view ext);    // ext "file\DefaultIcon\"
std::string OpenCommandItem(std::string_view ext);    // ext "file\shell\open\command\"
std::string OpenKeyItem(std::string_view ext);        // ext "file\shell\open\"
std::string ShellKeyItem(std::string_view ext);       // ext "file\shell\"
std::string ProgramTypeItem(std::string_view ext);    // ext "file\"

// The open command stored for a program text. The program is put in double
// quotes when it names an existing file, contains a space and is not quoted
// yet, so that Windows cannot run "C:\Program.exe" for "C:\Program Files\...";
// then two spaces and "%1" in quotes, so documents with spaces stay whole.
std::string OpenCommand(std::string_view program, bool namesExistingFile);

// True when a default value names the program type of ext (letter case aside).
bool NamesProgramTypeOf(std::string_view value, std::string_view ext);
