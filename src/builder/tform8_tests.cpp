#include <QTest>
#include <filesystem>

#include "builder/build_test_folder.h"
#include "builder/tform8.h"
#include "platform/scripted_dialogs.h"

namespace {

using builder::testing::BinFolder;

QStringList Lines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i)
    lines << list->item(i)->text();
  return lines;
}

void ClickEntry(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

void Fill(QListWidget* list, const QStringList& lines, int selected) {
  list->clear();
  list->addItems(lines);
  list->setCurrentRow(selected);
}

std::string ProjectText() {
  std::string text;
  for (const std::string& line : builder::testing::ProjectLines({"82h: 1, 0x1234, 5, 6"}))
    text += line + "\n";
  return text;
}

}  // namespace

class TForm8Tests : public QObject {
  Q_OBJECT

 private slots:
  void StartsEmptyWithItsCaptions() {
    TForm8 form;
    QCOMPARE(form.windowTitle(), QString("Dravick Tool"));
    QCOMPARE(form.GroupBox1->title(), QString("Bin Files"));
    QCOMPARE(form.GroupBox2->title(), QString("Command List"));
    QCOMPARE(form.CheckBoxNFBIN->text(), QString("NandFlash Bin"));
    QVERIFY(!form.CheckBoxNFBIN->isChecked());
    QCOMPARE(form.ListBox1->count(), 0);
    QCOMPARE(form.ListBox2->count(), 0);
    QVERIFY(form.findChild<QPushButton*>("Button1") == form.Button1);
  }

  void ResourceListMovesAndDeletes_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("after");
    const QStringList abc{"a", "b", "c"};
    QTest::newRow("single entry: delete")
        << QStringList{"a"} << 0 << "BtnRemove" << QStringList{"a"};
    QTest::newRow("single entry: up") << QStringList{"a"} << 0 << "BtnUP" << QStringList{"a"};
    QTest::newRow("single entry: down") << QStringList{"a"} << 0 << "BtnDN" << QStringList{"a"};
    QTest::newRow("first entry is never deleted") << abc << 0 << "BtnRemove" << abc;
    QTest::newRow("entry 1 deleted") << abc << 1 << "BtnRemove" << QStringList{"a", "c"};
    QTest::newRow("up") << abc << 2 << "BtnUP" << QStringList{"a", "c", "b"};
    QTest::newRow("up at the top") << abc << 0 << "BtnUP" << abc;
    QTest::newRow("down") << abc << 0 << "BtnDN" << QStringList{"b", "a", "c"};
    QTest::newRow("down at the bottom") << abc << 2 << "BtnDN" << abc;
    QTest::newRow("down, nothing selected") << abc << -1 << "BtnDN" << abc;
  }
  void ResourceListMovesAndDeletes() {
    QFETCH(QStringList, before);
    QFETCH(int, selected);
    QFETCH(QString, button);
    QFETCH(QStringList, after);
    TForm8 form;
    Fill(form.ListBox1, before, selected);
    QTest::mouseClick(form.findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(Lines(form.ListBox1), after);
    if (button != "BtnRemove")
      QCOMPARE(form.ListBox1->currentRow(), selected);  // exchanges leave the selection
  }

  void CommandListEditing_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("editor");
    const QStringList lines{"l0", "l1", "l2", "l3", "l4"};
    QTest::newRow("insert before line 0") << 0 << "BtnInsert" << lines << "new";
    QTest::newRow("insert before line 3")
        << 3 << "BtnInsert" << QStringList{"l0", "l1", "l2", "new", "l3", "l4"} << "new";
    QTest::newRow("delete line 0 copies it") << 0 << "BtnRemCmd" << lines << "l0";
    QTest::newRow("delete line 2 copies the next")
        << 2 << "BtnRemCmd" << QStringList{"l0", "l1", "l3", "l4"} << "l3";
    QTest::newRow("delete the last line")
        << 4 << "BtnRemCmd" << QStringList{"l0", "l1", "l2", "l3"} << "new";
    // The selection stays at its index; the editor shows the line that is there now.
    QTest::newRow("command up") << 1 << "BtnUpCmd" << QStringList{"l1", "l0", "l2", "l3", "l4"}
                                << "l0";
    QTest::newRow("command down") << 1 << "BtnDnCmd" << QStringList{"l0", "l2", "l1", "l3", "l4"}
                                  << "l2";
    QTest::newRow("command up at the top")
        << 0 << "BtnUpCmd" << QStringList{"l0", "l1", "l2", "l3", "l4"} << "new";
  }
  void CommandListEditing() {
    QFETCH(int, selected);
    QFETCH(QString, button);
    QFETCH(QStringList, after);
    QFETCH(QString, editor);
    TForm8 form;
    Fill(form.ListBox2, {"l0", "l1", "l2", "l3", "l4"}, selected);
    form.Edit1->setText("new");
    QTest::mouseClick(form.findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(Lines(form.ListBox2), after);
    QCOMPARE(form.Edit1->text(), editor);
  }

  void EditorKeys() {
    platform::ScriptedDialogs dialogs;
    TForm8 form;
    Fill(form.ListBox2, {"l0", "l1", "l2", "l3"}, 2);
    form.Edit1->setText("82h:1,2,3");
    QTest::keyClick(form.Edit1, Qt::Key_Return);
    QCOMPARE(Lines(form.ListBox2), (QStringList{"l0", "l1", "82h:1,2,3", "l3"}));
    QCOMPARE(form.ListBox2->currentRow(), 2);

    Fill(form.ListBox2, {"only"}, 0);
    QTest::keyClick(form.Edit1, Qt::Key_Enter);
    QCOMPARE(Lines(form.ListBox2), QStringList{"only"});

    QTest::keyClick(form.Edit1, Qt::Key_Tab);
    QCOMPARE(dialogs.messages, QStringList{"VK_TAB"});
  }

  void ClickCopiesTheLineIntoTheEditor() {
    TForm8 form;
    Fill(form.ListBox2, {"l0", "80h:1,2,3"}, 1);
    form.ListBox2Click();
    QCOMPARE(form.Edit1->text(), QString("80h:1,2,3"));
  }

  void InputBinFilesListsTheFolderAndLoadsTheProject() {
    BinFolder folder;
    for (const char* name : {"Picture-1.bin", "a.b.bin", "Picture-2.BIN", "Wav-1.bin", "notes"})
      folder.WriteResource(name, 4);
    folder.Write("demo.ini", ProjectText());
    platform::ScriptedDialogs dialogs;
    dialogs.open_answers = {QString::fromStdString(folder.File("Wav-1.bin")),
                            QString::fromStdString(folder.File("demo.ini"))};
    TForm8 form;
    form.BtnAddAll->click();
    QCOMPARE(Lines(form.ListBox1), (QStringList{"Picture-1.bin", "Wav-1.bin"}));
    QCOMPARE(form.BinFolder, folder.Folder());
    QCOMPARE(form.ListBox2->item(1)->text(), QString(" "));  // before "[INFO]"
    QCOMPARE(form.ListBox2->item(2)->text(), QString("[INFO]"));
    QCOMPARE(dialogs.open_filters, (QStringList{"*.bin|*.bin", "*.ini|*.ini"}));
    QVERIFY(form.ProjectFolder.empty());  // only "Input Command List" remembers its folder
  }

  void InputBinFilesInAFolderThatIsGone() {
    platform::ScriptedDialogs dialogs;
    dialogs.open_answers = {QString("/no/such/folder/Picture-1.bin")};
    TForm8 form;
    Fill(form.ListBox1, {"kept"}, 0);
    form.BtnAddAll->click();
    QCOMPARE(dialogs.messages, QStringList{"Fail to Open the file"});
    QCOMPARE(Lines(form.ListBox1), QStringList{"kept"});
  }

  void InputCommandListCancelledChangesNothing() {
    platform::ScriptedDialogs dialogs;
    dialogs.open_answers = {QString("*.ini")};
    TForm8 form;
    Fill(form.ListBox2, {"kept", "too"}, 0);
    form.Edit1->setText("x");
    form.BtnInput->click();
    QCOMPARE(Lines(form.ListBox2), (QStringList{"kept", "too"}));
    QCOMPARE(form.Edit1->text(), QString());
    QVERIFY(dialogs.messages.isEmpty());
  }

  void SaveCommandList() {
    BinFolder folder;
    platform::ScriptedDialogs dialogs;
    dialogs.save_answers = {{true, QString::fromStdString(folder.File("project"))},
                            {true, QString()},
                            {false, QString::fromStdString(folder.File("other"))},
                            {true, QString::fromStdString(folder.File("gone/project"))}};
    TForm8 form;
    Fill(form.ListBox2, {"[INFO]", "PCVersion:16\t/x"}, 0);
    form.BtnSave->click();
    const std::string expected = "[INFO]\r\nPCVersion:16/x\r\n";
    QCOMPARE(folder.Read("project.ini"),
             std::vector<std::uint8_t>(expected.begin(), expected.end()));
    QCOMPARE(form.SaveFolder, folder.Folder());
    form.BtnSave->click();
    QCOMPARE(dialogs.messages, QStringList{"Error file's name"});
    form.BtnSave->click();
    QVERIFY(!folder.Exists("other.ini"));
    form.BtnSave->click();
    QCOMPARE(dialogs.messages, (QStringList{"Error file's name", "open Creat file error!\n"}));
    QCOMPARE(dialogs.save_proposals, (QStringList{"*.ini", "*.ini", "*.ini", "*.ini"}));
  }

  void MakeBinWritesUserInfoAndTheFlashImage() {
    BinFolder folder;
    folder.WriteResource("Picture-1.bin", 0x1000);
    folder.WriteAddressList("Picture-1-Addr.txt",
                            {builder::testing::EntryText(32, 16, 0, 0x1000, "a.png")});
    folder.Write("demo.ini", ProjectText());
    platform::ScriptedDialogs dialogs;
    dialogs.open_answers = {QString::fromStdString(folder.File("Picture-1.bin")),
                            QString::fromStdString(folder.File("demo.ini"))};
    TForm8 form;
    form.BtnAddAll->click();
    form.CheckBoxNFBIN->setChecked(true);

    dialogs.save_answers = {{true, QString::fromStdString(folder.File("UserInfo"))},
                            {true, QString::fromStdString(folder.File("Flash"))}};
    form.Button1->click();
    QCOMPARE(dialogs.messages, QStringList{"OK"});
    QCOMPARE(dialogs.save_proposals, (QStringList{"UserInfo", "Dravick_Flash"}));
    QCOMPARE(folder.Read("UserInfo.bin").size(), std::size_t{0x20000});
    QCOMPARE(folder.Read("Flash.bin").size(), std::size_t{0x21000});
    QVERIFY(folder.Exists("UserInfo.txt"));
    QCOMPARE(form.OutputFolder, folder.Folder());

    // Cancelling the flash image dialog keeps the UserInfo files and shows nothing.
    std::filesystem::remove(folder.File("UserInfo.bin"));
    dialogs.messages.clear();
    dialogs.save_answers = {{true, QString::fromStdString(folder.File("UserInfo"))}, {false, {}}};
    form.Button1->click();
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(folder.Exists("UserInfo.bin"));
  }

  void MakeBinWithNothingLoaded() {
    platform::ScriptedDialogs dialogs;
    TForm8 form;
    form.Button1->click();
    QCOMPARE(dialogs.messages,
             (QStringList{"There aren't any picture data!", "There aren't any info data!"}));
    QVERIFY(dialogs.save_proposals.isEmpty());
  }

  void QuilletStartsTheToolFromTheCurrentFolder() {
    BinFolder folder;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Folder());
    platform::ScriptedDialogs dialogs;
    TForm8 form;
    form.BtnQuillet->click();  // missing: nothing visible happens
    folder.Write("Quillet_V1.6.exe", std::string("#!/bin/sh\ntouch started\n"));
    std::filesystem::permissions(folder.File("Quillet_V1.6.exe"),
                                 std::filesystem::perms::owner_all);
    form.BtnQuillet->click();
    QTRY_VERIFY(folder.Exists("started"));
    std::filesystem::current_path(before);
    QVERIFY(dialogs.messages.isEmpty());
  }

  void CloseHidesAndKeepsTheLists() {
    TForm8 form;
    form.show();
    Fill(form.ListBox1, {"Picture-1.bin"}, 0);
    form.BtnClose->click();
    QVERIFY(!form.isVisible());
    QCOMPARE(form.ListBox1->count(), 1);
  }

  void ArrowKeysCopyTheCommandTheyReach() {
    TForm8 form;
    form.show();
    Fill(form.ListBox2, {"l0", "l1", "l2", "l3"}, -1);
    ClickEntry(form.ListBox2, 1);
    QCOMPARE(form.Edit1->text(), QString("l1"));
    QTest::keyClick(form.ListBox2, Qt::Key_Down);
    QCOMPARE(form.Edit1->text(), QString("l2"));
    QTest::keyClick(form.ListBox2, Qt::Key_End);
    QCOMPARE(form.Edit1->text(), QString("l3"));
    QTest::keyClick(form.ListBox2, Qt::Key_Up);
    QCOMPARE(form.Edit1->text(), QString("l2"));

    // Enter writes the editor over the line the keys reached, and nowhere else.
    form.Edit1->setFocus();
    form.Edit1->selectAll();
    QTest::keyClicks(form.Edit1, "82h:1,2,3");
    QTest::keyClick(form.Edit1, Qt::Key_Return);
    QCOMPARE(Lines(form.ListBox2), (QStringList{"l0", "l1", "82h:1,2,3", "l3"}));

    // A click on the line already selected copies it again, over an edit not entered.
    QTest::keyClicks(form.Edit1, "x");
    ClickEntry(form.ListBox2, 2);
    QCOMPARE(form.Edit1->text(), QString("82h:1,2,3"));
  }

  void DeletingTheLastLineSelectsNothing() {
    TForm8 form;
    form.show();
    Fill(form.ListBox2, {"l0", "l1", "l2"}, -1);
    ClickEntry(form.ListBox2, 2);
    form.Edit1->setText("typed");
    QTest::mouseClick(form.BtnRemCmd, Qt::LeftButton);
    QCOMPARE(Lines(form.ListBox2), (QStringList{"l0", "l1"}));
    QVERIFY(form.ListBox2->selectedItems().isEmpty());
    QCOMPARE(form.Edit1->text(), QString("typed"));
    // With nothing selected Enter changes no command.
    QTest::keyClick(form.Edit1, Qt::Key_Return);
    QCOMPARE(Lines(form.ListBox2), (QStringList{"l0", "l1"}));

    // A line in the middle: the one now at its index is selected and copied.
    Fill(form.ListBox2, {"l0", "l1", "l2"}, -1);
    ClickEntry(form.ListBox2, 1);
    QTest::mouseClick(form.BtnRemCmd, Qt::LeftButton);
    QCOMPARE(form.ListBox2->selectedItems().size(), 1);
    QCOMPARE(form.ListBox2->currentRow(), 1);
    QCOMPARE(form.Edit1->text(), QString("l2"));

    // The resource list likewise.
    Fill(form.ListBox1, {"a", "b", "c"}, -1);
    ClickEntry(form.ListBox1, 2);
    QTest::mouseClick(form.BtnRemove, Qt::LeftButton);
    QCOMPARE(Lines(form.ListBox1), (QStringList{"a", "b"}));
    QVERIFY(form.ListBox1->selectedItems().isEmpty());
    QTest::mouseClick(form.BtnRemove, Qt::LeftButton);  // nothing selected: nothing deleted
    QCOMPARE(Lines(form.ListBox1), (QStringList{"a", "b"}));
    Fill(form.ListBox1, {"a", "b", "c"}, 1);
    QTest::mouseClick(form.BtnRemove, Qt::LeftButton);
    QCOMPARE(form.ListBox1->selectedItems().first()->text(), QString("c"));
  }

  void OpensMaximisedWithOnlyACloseBox() {
    TForm8 form;
    QVERIFY(form.windowState() & Qt::WindowMaximized);
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMinMaxButtonsHint));
  }
};

QTEST_MAIN(TForm8Tests)
#include "tform8_tests.moc"
