// Control identifiers of Form1, shared by the window and by the tests that
// drive the program from outside (GetDlgCtrlID on the children).
#pragma once

namespace rinban::id {

enum : int {
  Button1 = 101,  // generate
  Button2,        // copy
  Button3,        // save table.txt
  Button4,        // write table.html
  Button5,        // save settings
  StaticText5,    // status field
  ProgressBar1,
  Label5,
  TabbedNotebook1,
  Page1,
  Page2,
  Page3,
  Page4,
  GroupBox1,
  GroupBox2,
  GroupBox3,
  GroupBox4,
  GroupBox5,
  GroupBox6,
  GroupBox7,
  GroupBox8,
  Memo1,
  ComboBox1,      // members
  ComboBox2,      // entry-number style
  ComboBox3,      // rounds
  ListView1,
  ListView2,
  Edit1,
  Label1,
  Label2,
  Label3,
  Label4,
  StaticText1,
  StaticText2,
  StaticText3,
  StaticText4,
  CheckBox1,
  Bevel1,
  MessageText = 201,  // the message box's text
};

// Form1's controls are numbered without gaps from Button1 to Bevel1.
inline constexpr int kFirstControl = Button1;
inline constexpr int kControlCount = Bevel1 - Button1 + 1;

}  // namespace rinban::id
