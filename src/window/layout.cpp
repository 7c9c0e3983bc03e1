#include "window/layout.h"

#include "text/messages.h"
#include "window/control_ids.h"

namespace rinban {
namespace {

using K = ControlKind;

constexpr ControlSpec kLayout[] = {
    // top strip
    {"TabbedNotebook1", id::TabbedNotebook1, 0, K::Notebook, 8, 40, 313, 377, "", true, true},
    {"Button1", id::Button1, 0, K::PushButton, 8, 8, 105, 25, msg::kGenerateButton, true, true},
    {"ProgressBar1", id::ProgressBar1, 0, K::Progress, 184, 8, 129, 9, "", true, false},
    {"StaticText5", id::StaticText5, 0, K::Status, 120, 8, 57, 17, "", true, false},
    {"Label5", id::Label5, 0, K::Label, 120, 24, 160, 12, msg::kAboutLine, true, false},
    // notebook pages, told apart by their tab captions
    {"", id::Page1, id::TabbedNotebook1, K::Page, kPageLeft, kPageTop, 305, 350, msg::kPageAll, true, false},
    {"", id::Page2, id::TabbedNotebook1, K::Page, kPageLeft, kPageTop, 305, 350, msg::kPageMember, true, false},
    {"", id::Page3, id::TabbedNotebook1, K::Page, kPageLeft, kPageTop, 305, 350, msg::kPageRound, true, false},
    {"", id::Page4, id::TabbedNotebook1, K::Page, kPageLeft, kPageTop, 305, 350, msg::kPageTable, true, false},
    // page 1: the all-rounds listing
    {"GroupBox1", id::GroupBox1, id::Page1, K::Group, 8, 5, 289, 332, msg::kListingGroup, true, false},
    {"Memo1", id::Memo1, id::GroupBox1, K::Memo, 8, 48, 273, 273, msg::kMemoInitial, true, true},
    {"Button2", id::Button2, id::GroupBox1, K::PushButton, 8, 16, 65, 25, msg::kCopyButton, false, true},
    {"Button3", id::Button3, id::GroupBox1, K::PushButton, 72, 16, 89, 25, msg::kSaveButton, false, true},
    // page 2: by member
    {"GroupBox2", id::GroupBox2, id::Page2, K::Group, 8, 5, 289, 340, msg::kMemberGroup, true, false},
    {"ComboBox1", id::ComboBox1, id::GroupBox2, K::ComboBox, 8, 19, 273, 20, "", true, true},
    {"ListView1", id::ListView1, id::GroupBox2, K::MemberList, 8, 48, 273, 281, "", true, true},
    // page 3: by round
    {"GroupBox8", id::GroupBox8, id::Page3, K::Group, 8, 8, 289, 337, msg::kRoundGroup, true, false},
    {"ComboBox3", id::ComboBox3, id::GroupBox8, K::ComboBox, 8, 18, 273, 20, "", true, true},
    {"ListView2", id::ListView2, id::GroupBox8, K::RoundList, 8, 48, 273, 281, "", true, true},
    // page 4: the table options; Tab visits the groups bottom-up
    {"GroupBox7", id::GroupBox7, id::Page4, K::Group, 8, 224, 289, 65, msg::kPointsGroup, true, false},
    {"GroupBox6", id::GroupBox6, id::Page4, K::Group, 8, 152, 289, 65, msg::kCellGroup, true, false},
    {"GroupBox5", id::GroupBox5, id::Page4, K::Group, 8, 104, 289, 41, msg::kFontGroup, true, false},
    {"GroupBox4", id::GroupBox4, id::Page4, K::Group, 8, 56, 289, 41, msg::kNumberGroup, true, false},
    {"GroupBox3", id::GroupBox3, id::Page4, K::Group, 8, 8, 289, 41, msg::kTitleGroup, true, false},
    {"Button4", id::Button4, id::Page4, K::PushButton, 8, 304, 217, 25, msg::kHtmlButton, false, true},
    {"Button5", id::Button5, id::Page4, K::PushButton, 232, 304, 65, 25, msg::kSettingsButton, true, true},
    {"Bevel1", id::Bevel1, id::Page4, K::Bevel, 8, 336, 289, 2, "", true, false},
    {"CheckBox1", id::CheckBox1, id::GroupBox7, K::CheckBox, 56, 16, 161, 17, msg::kPointsCheck, true, true},
    {"StaticText4", id::StaticText4, id::GroupBox7, K::Swatch, 144, 40, 89, 17, "", true, false},
    {"Label4", id::Label4, id::GroupBox7, K::RightLabel, 90, 40, 47, 12, msg::kPointsCellLabel, true, false},
    {"StaticText2", id::StaticText2, id::GroupBox6, K::Swatch, 144, 16, 89, 17, "", true, false},
    {"StaticText3", id::StaticText3, id::GroupBox6, K::Swatch, 144, 40, 89, 17, "", true, false},
    {"Label2", id::Label2, id::GroupBox6, K::RightLabel, 41, 16, 96, 12, msg::kMemberCellLabel, true, false},
    {"Label3", id::Label3, id::GroupBox6, K::RightLabel, 61, 40, 76, 12, msg::kOtherCellLabel, true, false},
    {"StaticText1", id::StaticText1, id::GroupBox5, K::Swatch, 144, 16, 89, 17, "", true, false},
    {"Label1", id::Label1, id::GroupBox5, K::RightLabel, 45, 16, 92, 12, msg::kFontLabel, true, false},
    {"ComboBox2", id::ComboBox2, id::GroupBox4, K::ComboBox, 8, 16, 273, 20, "", true, true},
    {"Edit1", id::Edit1, id::GroupBox3, K::Edit, 8, 16, 273, 20, msg::kTitleInitial, true, true},
};

}  // namespace

std::span<const ControlSpec> FormLayout() { return kLayout; }

}  // namespace rinban
