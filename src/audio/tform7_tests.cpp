// The WAV window on the offscreen platform, its dialogs scripted.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "audio/tform7.h"
#include "audio/wav_test_files.h"
#include "platform/file_io.h"
#include "platform/scripted_dialogs.h"

using audio::test::Bytes;

class TForm7Tests : public QObject {
  Q_OBJECT

  QTemporaryDir folder_;

  QString Write(const QString& name, const Bytes& bytes) {
    const QString path = folder_.filePath(name);
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
  }

  static void Load(TForm7& form, platform::ScriptedDialogs& dialogs, const QString& path) {
    dialogs.open_answers.push_back(path);
    form.Button1->click();
  }

  static Bytes Read(const QString& path) {
    return platform::ReadFileBytes(path.toStdString()).value_or(Bytes{});
  }

 private slots:
  void StartsWithNothingLoaded() {
    platform::ScriptedDialogs dialogs;
    TForm7 form;
    QCOMPARE(form.windowTitle(), QString("WAV Tool"));
    QVERIFY(!form.Button2->isEnabled());
    QCOMPARE(form.Button1->text(), QString("Input wav file"));
    QCOMPARE(form.Button2->text(), QString("Convert"));
    QCOMPARE(form.Button3->text(), QString("Close"));
    QCOMPARE(form.ComboBoxChannel->currentIndex(), -1);
    QCOMPARE(form.ComboBoxChannel->currentText(), QString("Left Channel"));
    QCOMPARE(form.ComboBoxBitSample->currentText(), QString("8bits"));
    QCOMPARE(form.ComboBoxSpeed->currentText(), QString("1:1"));
    QCOMPARE(form.ComboBoxSpeed->count(), 5);
    QCOMPARE(form.EditDataSize->text(), QString("0"));
    QCOMPARE(form.EditBinDataSize->text(), QString("0"));
    QVERIFY(form.EditFileName->text().isEmpty());
    QCOMPARE(form.findChild<QComboBox*>("ComboBoxBitSample"), form.ComboBoxBitSample);

    form.Button1->click();  // cancelled with nothing chosen before: nothing loads
    QCOMPARE(dialogs.open_filters, QStringList{"(*.wav)|*.wav|WAV Files(*.wav)|*.wav"});
    QVERIFY(dialogs.messages.isEmpty());
  }

  void LoadingShowsTheHeaderAndSelectsTheChoices() {
    platform::ScriptedDialogs dialogs;
    TForm7 form;
    const QString path =
        Write("stereo.wav", audio::test::PcmWav(2, 16, 22050, audio::test::Counting(40000)));
    Load(form, dialogs, path);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(form.EditFileName->text(), path);
    QCOMPARE(form.EditWavFilesSize->text(), QString("40044"));
    QCOMPARE(form.EditPCMFormat->text(), QString("1"));
    QCOMPARE(form.EditChannels->text(), QString("2"));
    QCOMPARE(form.EditSamplesPerSec->text(), QString("22050"));
    QCOMPARE(form.EditAvgBytesPerSec->text(), QString("88200"));
    QCOMPARE(form.EditBitsPerSample->text(), QString("16"));
    QCOMPARE(form.EditDataSize->text(), QString("40000"));
    QCOMPARE(form.EditBinDataSize->text(), QString("40000"));
    QCOMPARE(form.ComboBoxChannel->currentText(), QString("Two Channel"));
    QCOMPARE(form.ComboBoxBitSample->currentText(), QString("16bits"));
    QVERIFY(form.Button2->isEnabled());

    form.ComboBoxChannel->setCurrentIndex(0);
    form.ComboBoxChannelSelect(0);
    form.ComboBoxBitSample->setCurrentIndex(0);
    form.ComboBoxBitSampleSelect(0);
    form.ComboBoxSpeed->setCurrentIndex(1);
    form.ComboBoxSpeedSelect(1);
    QCOMPARE(form.EditBinDataSize->text(), QString("5000"));

    // A cancelled dialog loads the file chosen before again, re-selecting the choices.
    form.Button1->click();
    QCOMPARE(form.ComboBoxChannel->currentText(), QString("Two Channel"));
    QCOMPARE(form.ComboBoxSpeed->currentText(), QString("1:2"));
    QCOMPARE(form.EditBinDataSize->text(), QString("40000"));
  }

  // The choice lists answer the keyboard as they answer the mouse, and a long path
  // shows its end, where the file's name is.
  void ArrowKeysChooseAndALongPathShowsItsEnd() {
    platform::ScriptedDialogs dialogs;
    TForm7 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QString folder = QString("a folder with a rather long name/").repeated(4);
    QVERIFY(QDir().mkpath(folder_.filePath(folder)));
    Load(form, dialogs,
         Write(folder + "stereo.wav",
               audio::test::PcmWav(2, 16, 22050, audio::test::Counting(40000))));
    QCOMPARE(form.EditFileName->cursorPosition(), form.EditFileName->text().size());
    QVERIFY(form.EditFileName->width() >= form.EditFileName->fontMetrics().averageCharWidth() * 60);
    QTest::keyClick(form.ComboBoxChannel, Qt::Key_Up);  // "Right Channel"
    QCOMPARE(form.ChannelChoice, 1);
    QCOMPARE(form.EditBinDataSize->text(), QString("20000"));
    QTest::keyClick(form.ComboBoxBitSample, Qt::Key_Up);  // "8bits"
    QCOMPARE(form.EditBinDataSize->text(), QString("10000"));
    QTest::keyClick(form.ComboBoxSpeed, Qt::Key_End);  // "1:16"
    QCOMPARE(form.EditBinDataSize->text(), QString("625"));
  }

  void ConvertWritesTheResourceAndItsListing() {
    platform::ScriptedDialogs dialogs;
    TForm7 form;
    Load(
        form, dialogs,
        Write("mono.wav", audio::test::PcmWav(1, 16, 22050, {0x11, 0x12, 0x21, 0x22, 0x31, 0x32})));
    form.EditFileName->setText("beep");
    form.ComboBoxSpeed->setCurrentIndex(1);
    form.ComboBoxSpeedSelect(1);
    QCOMPARE(form.EditBinDataSize->text(), QString("3"));
    dialogs.save_answers.push_back({true, folder_.filePath("Wav-beep")});
    form.Button2->click();
    QCOMPARE(dialogs.save_proposals, QStringList{"Wav-"});
    QCOMPARE(dialogs.save_filters, QStringList{"*.bin"});
    QCOMPARE(dialogs.messages, (QStringList{"Start to convert, please wait...", "OK"}));
    QCOMPARE(Read(folder_.filePath("Wav-beep.bin")), (Bytes{0x11, 0x12, 0x31}));
    const Bytes listing = Read(folder_.filePath("Wav-beep-Addr.txt"));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(listing.data()), qsizetype(listing.size())),
             QByteArray("{    //beep\r\n1,   //Sound channel number\r\n16,  //16bits every sample"
                        "\r\n11025,//Samples number per-second\r\n"
                        "3//The bytes of Bin_File_Data_Size \r\n};\r\n"));
    QCOMPARE(QString::fromStdString(form.BinPath), folder_.filePath("Wav-beep.bin"));
    QVERIFY(form.Button1->isEnabled() && form.Button2->isEnabled());
  }

  void ConvertStopsWithoutWriting_data() {
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("bit_choice");
    QTest::addColumn<int>("channel_choice");
    QTest::addColumn<bool>("save_confirmed");
    QTest::addColumn<QString>("save_name");
    QTest::addColumn<QStringList>("messages");
    const QString eight = "8bits wav files,Please didn't select 16bits bin data";
    QTest::newRow("8-bit file, 16bits")
        << 8 << 1 << 2 << true << "Wav-a" << QStringList{eight, eight};
    QTest::newRow("16-bit file, ??bits")
        << 16 << 2 << 2 << true << "Wav-a" << QStringList{"Can't suport this bits"};
    QTest::newRow("two channels of a mono file")
        << 16 << 1 << -2 << true << "Wav-a" << QStringList{"Don't support this format!"};
    QTest::newRow("dialog cancelled") << 16 << 1 << 2 << false << "" << QStringList{};
    QTest::newRow("empty name") << 16 << 1 << 2 << true << "" << QStringList{"Error file's name"};
  }
  void ConvertStopsWithoutWriting() {
    QFETCH(int, bits);
    QFETCH(int, bit_choice);
    QFETCH(int, channel_choice);
    QFETCH(bool, save_confirmed);
    QFETCH(QString, save_name);
    QFETCH(QStringList, messages);
    platform::ScriptedDialogs dialogs;
    TForm7 form;
    QTemporaryDir out;
    const int channels = channel_choice == -2 ? 1 : 2;
    Load(form, dialogs,
         Write("x.wav", audio::test::PcmWav(channels, bits, 8000, audio::test::Counting(8))));
    form.ComboBoxChannelSelect(channel_choice == -2 ? 2 : channel_choice);
    form.ComboBoxBitSampleSelect(bit_choice);  // warns once on choosing, again on Convert
    dialogs.save_answers.push_back(
        {save_confirmed, save_name.isEmpty() ? "" : out.filePath(save_name)});
    form.Button2Click();
    QCOMPARE(dialogs.messages, messages);
    QVERIFY(QDir(out.path()).isEmpty());
  }

  void RefusedFilesCannotBeConverted() {
    platform::ScriptedDialogs dialogs;
    TForm7 form;
    Load(form, dialogs, Write("good.wav", audio::test::PcmWav(1, 8, 8000, {1, 2, 3})));
    QVERIFY(form.Button2->isEnabled());

    Load(form, dialogs, Write("wide.wav", audio::test::PcmWav(3, 24, 8000, {1, 2, 3})));
    QCOMPARE(dialogs.messages, (QStringList{"Can't support 3 channels wav files",
                                            "Can't support 24 BitsPerSample wav files"}));
    QCOMPARE(form.ComboBoxBitSample->currentText(), QString("??bits"));
    QVERIFY(!form.Button2->isEnabled());
    QVERIFY(!form.ComboBoxChannel->isEnabled());

    // A chunk before the data ends the walk: no sample data, nothing kept from before.
    Load(form, dialogs, Write("good.wav", audio::test::PcmWav(1, 8, 8000, {1, 2, 3})));
    Bytes junk = audio::test::WavHeader(1, 8, 8000);
    audio::test::AddChunk(junk, "JUNK", {0});
    audio::test::AddChunk(junk, "data", {1, 2, 3});
    dialogs.messages.clear();
    Load(form, dialogs, Write("junk.wav", junk));
    QCOMPARE(dialogs.messages, (QStringList{"Error Chunk!", "The wav file has no data chunk"}));
    QVERIFY(!form.Button2->isEnabled());
    QCOMPARE(form.EditDataSize->text(), QString("0"));

    dialogs.messages.clear();
    Load(form, dialogs, Write("good.wav", audio::test::PcmWav(1, 8, 8000, {1, 2, 3})));
    Load(form, dialogs, folder_.filePath("missing.wav"));
    QCOMPARE(dialogs.messages, QStringList{"打开文件失败!"});
    QCOMPARE(form.EditDataSize->text(), QString("3"));  // the header values stay
    QVERIFY(!form.Button2->isEnabled());
  }

  void ChoosingSixteenBitsForAnEightBitFileWarns() {
    platform::ScriptedDialogs dialogs;
    TForm7 form;
    Load(form, dialogs,
         Write("s8.wav", audio::test::PcmWav(2, 8, 8000, audio::test::Counting(10))));
    QCOMPARE(form.ComboBoxChannel->currentText(), QString("Two Channel"));
    QCOMPARE(form.ComboBoxBitSample->currentText(), QString("8bits"));
    QCOMPARE(form.EditBinDataSize->text(), QString("10"));
    form.ComboBoxBitSampleSelect(1);
    QCOMPARE(dialogs.messages, QStringList{"8bits wav files,Please didn't select 16bits bin data"});
    QCOMPARE(form.EditBinDataSize->text(), QString("20"));
  }

  void NothingElseStartsWhileConverting() {
    platform::ScriptedDialogs dialogs;
    TForm7 form;
    Load(form, dialogs,
         Write("long.wav", audio::test::PcmWav(1, 8, 8000, audio::test::Counting(100000))));
    dialogs.open_filters.clear();
    bool tried = false;
    // Runs from the event pump inside the conversion.
    QTimer::singleShot(0, &form, [&] {
      tried = true;
      QVERIFY(form.Converting);
      QVERIFY(!form.Button1->isEnabled() && !form.ComboBoxSpeed->isEnabled());
      form.Button1Click();
      form.Button2Click();
      form.ComboBoxSpeedSelect(4);
    });
    form.Button2Click();  // the save dialog is cancelled
    QVERIFY(tried);
    QVERIFY(dialogs.open_filters.isEmpty());
    QCOMPARE(dialogs.save_proposals.size(), 1);
    QCOMPARE(form.EditBinDataSize->text(), QString("100000"));
    QVERIFY(!form.Converting && form.Button1->isEnabled() && form.Button2->isEnabled());
  }

  void CloseHidesTheWindowAndKeepsTheFile() {
    platform::ScriptedDialogs dialogs;
    TForm7 form;
    form.show();
    Load(form, dialogs, Write("k.wav", audio::test::PcmWav(1, 8, 8000, {1, 2})));
    form.Button3->click();
    QVERIFY(!form.isVisible());
    form.show();
    QCOMPARE(form.EditDataSize->text(), QString("2"));
    QVERIFY(form.Button2->isEnabled());
  }
};

QTEST_MAIN(TForm7Tests)
#include "tform7_tests.moc"
