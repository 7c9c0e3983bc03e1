#include "table/options.h"

#include "platform/system.h"
#include "table/settings.h"

namespace rinban {

TableOptions DefaultTableOptions() {
  TableOptions options;
  options.Title = "test";
  options.Number = 0;
  options.FontColor = 0;
  options.MemberColor = 0x99FFFF;
  options.CelColor = 0xFFFFFF;
  options.PointInt = false;
  options.PointColor = 0xFFFF99;
  return options;
}

TableOptions LoadTableOptions(const Text& path) {
  const TableOptions def = DefaultTableOptions();
  SettingsFile file(path);
  TableOptions options;
  options.Title = file.ReadTextKey(kOptionsSection, "Title", def.Title);
  options.Number = file.ReadIntKey(kOptionsSection, "Number", def.Number);
  options.FontColor = file.ReadIntKey(kOptionsSection, "FontColor", def.FontColor);
  options.MemberColor = file.ReadIntKey(kOptionsSection, "MemberColor", def.MemberColor);
  options.CelColor = file.ReadIntKey(kOptionsSection, "CelColor", def.CelColor);
  options.PointInt = file.ReadBoolKey(kOptionsSection, "PointInt", def.PointInt);
  options.PointColor = file.ReadIntKey(kOptionsSection, "PointColor", def.PointColor);
  return options;
}

void SaveTableOptions(const Text& path, const TableOptions& options) {
  SettingsFile file(path);  // flushed when it goes, also after a failed write
  file.WriteTextKey(kOptionsSection, "Title", options.Title);
  file.WriteIntKey(kOptionsSection, "Number", options.Number);
  file.WriteIntKey(kOptionsSection, "FontColor", options.FontColor);
  file.WriteIntKey(kOptionsSection, "MemberColor", options.MemberColor);
  file.WriteIntKey(kOptionsSection, "CelColor", options.CelColor);
  file.WriteBoolKey(kOptionsSection, "PointInt", options.PointInt);
  file.WriteIntKey(kOptionsSection, "PointColor", options.PointColor);
}

Text ReplaceExtension(const Text& fileName, const Text& ext) {
  // A second byte may equal '\\', and only a forward walk by characters can
  // tell it from a separator.
  size_t last = Text::npos;
  for (size_t i = 0; i < fileName.size(); ++i) {
    const unsigned char b = fileName[i];
    if (IsLeadByte(b)) {
      ++i;
    } else if (b == '.' || b == '\\' || b == ':') {
      last = i;
    }
  }
  if (last != Text::npos && fileName[last] == '.') return fileName.substr(0, last) + ext;
  return fileName + ext;
}

Text SettingsPath() { return ReplaceExtension(ModulePath(), ".INI"); }

}  // namespace rinban
