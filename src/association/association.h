// The two actions behind "添加关联" and "解除关联". Each writes or deletes
// the registry items of one association under HKEY_CLASSES_ROOT and ends with
// the information box saying how it went.
#pragma once

#include <string>

// ext: typed without the dot; program: the open command's program text;
// icon: IconPath, empty while no icon was loaded.
void AddAssociation(const std::string& ext, const std::string& program, const std::string& icon);
void RemoveAssociation(const std::string& ext);

// The same work without the box: returns the text the box would show.
const char* ApplyAddAssociation(const std::string& ext, const std::string& program, const std::string& icon);
const char* ApplyRemoveAssociation(const std::string& ext);
