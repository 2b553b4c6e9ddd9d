// The controls of TForm8: "Bin Files" above, "Command List" below, each list filling the
// width with its buttons in a column at its right.
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "builder/tform8.h"

void TForm8::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  auto button = [this](QPushButton*& member, const char* name, const char* caption) {
    member = new QPushButton(caption, this);
    member->setObjectName(name);
    return member;
  };

  GroupBox1 = new QGroupBox("Bin Files", this);
  GroupBox1->setObjectName("GroupBox1");
  auto* bin_row = new QHBoxLayout(GroupBox1);
  ListBox1 = new QListWidget(GroupBox1);
  ListBox1->setObjectName("ListBox1");
  bin_row->addWidget(ListBox1, 1);
  auto* bin_buttons = new QVBoxLayout;
  bin_buttons->addWidget(button(BtnAddAll, "BtnAddAll", "Input Bin Files"));
  bin_buttons->addWidget(button(BtnRemove, "BtnRemove", "Delete"));
  bin_buttons->addWidget(button(BtnUP, "BtnUP", "Move UP"));
  bin_buttons->addWidget(button(BtnDN, "BtnDN", "Move Down"));
  CheckBoxNFBIN = new QCheckBox("NandFlash Bin", GroupBox1);
  CheckBoxNFBIN->setObjectName("CheckBoxNFBIN");
  bin_buttons->addWidget(CheckBoxNFBIN);
  bin_buttons->addWidget(button(Button1, "Button1", "Make Bin"));
  bin_buttons->addWidget(button(BtnQuillet, "BtnQuillet", "Quillet"));
  bin_buttons->addWidget(button(BtnClose, "BtnClose", "Close"));
  bin_buttons->addStretch();
  bin_row->addLayout(bin_buttons);
  layout->addWidget(GroupBox1, 1);

  GroupBox2 = new QGroupBox("Command List", this);
  GroupBox2->setObjectName("GroupBox2");
  auto* command_row = new QHBoxLayout(GroupBox2);
  auto* command_column = new QVBoxLayout;
  Edit1 = new QLineEdit(GroupBox2);
  Edit1->setObjectName("Edit1");
  Edit1->installEventFilter(this);
  ListBox2 = new QListWidget(GroupBox2);
  ListBox2->setObjectName("ListBox2");
  command_column->addWidget(Edit1);
  command_column->addWidget(ListBox2, 1);
  command_row->addLayout(command_column, 1);
  auto* command_buttons = new QVBoxLayout;
  command_buttons->addWidget(button(BtnInsert, "BtnInsert", "Insert Command"));
  command_buttons->addWidget(button(BtnRemCmd, "BtnRemCmd", "Delete Command"));
  command_buttons->addWidget(button(BtnUpCmd, "BtnUpCmd", "Command UP"));
  command_buttons->addWidget(button(BtnDnCmd, "BtnDnCmd", "Command Down"));
  command_buttons->addWidget(button(BtnInput, "BtnInput", "Input Command List"));
  command_buttons->addWidget(button(BtnSave, "BtnSave", "Save Command List"));
  command_buttons->addStretch();
  command_row->addLayout(command_buttons);
  layout->addWidget(GroupBox2, 2);

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  layout->addWidget(StatusBar1);
}
