#include "association/association.h"

#include <windows.h>
#include <shlobj.h>

#include "association/association_rules.h"
#include "association/messages.h"
#include "association/registry_item.h"
#include "ui/information_box.h"

namespace {

// The refusal text for an extension that cannot make a working association,
// or null when the extension is usable.
const char* RefusalFor(const std::string& ext) {
  switch (CheckExtension(ext)) {
    case ExtensionCheck::kUsable: return nullptr;
    case ExtensionCheck::kInvalid: return messages::kInvalidExtension;
    case ExtensionCheck::kExecutableType: return messages::kExecutableType;
  }
  return messages::kInvalidExtension;
}

bool NamesExistingFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Lets Explorer refresh its icons and verbs without a log-off.
void TellShellAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

// The extension's default value is absent or names our program type.
bool ExtensionIsOursOrFree(const std::string& ext) {
  std::string type;
  return !ReadRegistryItem(kClassesRoot, ExtensionItem(ext), &type) || NamesProgramTypeOf(type, ext);
}

// The extension's default value still names our program type.
bool ExtensionIsOurs(const std::string& ext) {
  std::string type;
  return ReadRegistryItem(kClassesRoot, ExtensionItem(ext), &type) && NamesProgramTypeOf(type, ext);
}

}  // namespace

const char* ApplyAddAssociation(const std::string& ext, const std::string& program, const std::string& icon) {
  if (const char* refusal = RefusalFor(ext)) return refusal;
  bool ok = WriteRegistryItem(kClassesRoot, ExtensionItem(ext), ProgramTypeName(ext));
  // Without an icon the type keeps whatever DefaultIcon it already has.
  if (!icon.empty()) ok = WriteRegistryItem(kClassesRoot, DefaultIconItem(ext), icon) && ok;
  ok = WriteRegistryItem(kClassesRoot, OpenCommandItem(ext), OpenCommand(program, NamesExistingFile(program))) && ok;
  if (!ok) return messages::kAddFailed;
  TellShellAssociationsChanged();
  return messages::kAddSucceeded;
}

const char* ApplyRemoveAssociation(const std::string& ext) {
  if (const char* refusal = RefusalFor(ext)) return refusal;
  // From the deepest key up; DefaultIcon goes only with the whole type key.
  DeleteRegistryItem(kClassesRoot, OpenCommandItem(ext));
  DeleteRegistryItem(kClassesRoot, OpenKeyItem(ext));
  DeleteRegistryItem(kClassesRoot, ShellKeyItem(ext));
  DeleteRegistryItem(kClassesRoot, ProgramTypeItem(ext));
  // An extension that another program has taken since is left to it.
  if (ExtensionIsOursOrFree(ext)) DeleteRegistryItem(kClassesRoot, ExtensionItem(ext));
  if (ExtensionIsOurs(ext)) return messages::kRemoveFailed;
  TellShellAssociationsChanged();
  return messages::kRemoveSucceeded;
}

void AddAssociation(const std::string& ext, const std::string& program, const std::string& icon) {
  ShowInformation(ApplyAddAssociation(ext, program, icon));
}

void RemoveAssociation(const std::string& ext) { ShowInformation(ApplyRemoveAssociation(ext)); }
