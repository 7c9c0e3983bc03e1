#include "table/options.h"

#include "platform/system.h"
#include "table/settings.h"

namespace rinban {

namespace {

using K = OptionKind;

constexpr OptionSpec kOptions[] = {
    {.key = "Title", .control = "Edit1", .kind = K::Text, .text = &TableOptions::Title, .defaultText = "test"},
    {.key = "Number", .control = "ComboBox2", .kind = K::Choice, .number = &TableOptions::Number},
    {.key = "FontColor", .control = "StaticText1", .kind = K::Color, .number = &TableOptions::FontColor},
    {.key = "MemberColor", .control = "StaticText2", .kind = K::Color, .number = &TableOptions::MemberColor,
     .defaultValue = 0x99FFFF},
    {.key = "CelColor", .control = "StaticText3", .kind = K::Color, .number = &TableOptions::CelColor,
     .defaultValue = 0xFFFFFF},
    {.key = "PointInt", .control = "CheckBox1", .kind = K::Flag, .flag = &TableOptions::PointInt},
    {.key = "PointColor", .control = "StaticText4", .kind = K::Color, .number = &TableOptions::PointColor,
     .defaultValue = 0xFFFF99},
};

}  // namespace

std::span<const OptionSpec> TableOptionSpecs() { return kOptions; }

TableOptions DefaultTableOptions() {
  TableOptions options;
  for (const OptionSpec& option : kOptions) {
    switch (option.kind) {
      case K::Text: options.*option.text = option.defaultText; break;
      case K::Flag: options.*option.flag = option.defaultValue != 0; break;
      case K::Choice:
      case K::Color: options.*option.number = option.defaultValue; break;
    }
  }
  return options;
}

TableOptions LoadTableOptions(const WidePath& path) {
  const TableOptions def = DefaultTableOptions();
  SettingsFile file(path);
  TableOptions options;
  for (const OptionSpec& option : kOptions) {
    switch (option.kind) {
      case K::Text: options.*option.text = file.ReadTextKey(kOptionsSection, option.key, def.*option.text); break;
      case K::Flag: options.*option.flag = file.ReadBoolKey(kOptionsSection, option.key, def.*option.flag); break;
      case K::Choice:
      case K::Color:
        options.*option.number = file.ReadIntKey(kOptionsSection, option.key, def.*option.number);
        break;
    }
  }
  return options;
}

void SaveTableOptions(const WidePath& path, const TableOptions& options) {
  SettingsFile file(path);
  for (const OptionSpec& option : kOptions) {
    switch (option.kind) {
      case K::Text: file.WriteTextKey(kOptionsSection, option.key, options.*option.text); break;
      case K::Flag: file.WriteBoolKey(kOptionsSection, option.key, options.*option.flag); break;
      case K::Choice:
      case K::Color: file.WriteIntKey(kOptionsSection, option.key, options.*option.number); break;
    }
  }
  // One write for all seven: a failed save changes none of them.
  file.Save();
}

namespace {

template <typename Char>
std::basic_string<Char> ReplaceExtensionOf(const std::basic_string<Char>& fileName,
                                           const std::basic_string<Char>& ext) {
  // A CP932 second byte may equal '\\', and only a forward walk by
  // characters can tell it from a separator.
  size_t last = std::basic_string<Char>::npos;
  for (size_t i = 0; i < fileName.size(); ++i) {
    const auto c = fileName[i];
    if (sizeof(Char) == 1 && IsLeadByte(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '.' || c == '\\' || c == ':') {
      last = i;
    }
  }
  if (last != std::basic_string<Char>::npos && fileName[last] == '.') return fileName.substr(0, last) + ext;
  return fileName + ext;
}

}  // namespace

Text ReplaceExtension(const Text& fileName, const Text& ext) { return ReplaceExtensionOf(fileName, ext); }

std::u16string ReplaceExtension(const std::u16string& fileName, const std::u16string& ext) {
  return ReplaceExtensionOf(fileName, ext);
}

WidePath SettingsPath() { return ReplaceExtension(ModulePath(), u".INI"); }

}  // namespace rinban
