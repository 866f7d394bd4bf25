// Files dropped on the main window, rows dragged out of it, and files handed over by a
// second start through the local channel, hostile ones included.
#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QLocalSocket>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <thread>

#include "app/DropBlock.h"
#include "app/HandOverChannel.h"
#include "fileconv/FileList.h"
#include "gui/ChannelSocket.h"
#include "gui/HandOverClient.h"
#include "gui/InstanceServer.h"
#include "gui/MessageBox.h"
#include "tests/gui/MainWindowFixture.h"
#include "tests/support/Bytes.h"

namespace mxt::gui::testing {
namespace {

using ::mxt::testing::Bytes;
using ::mxt::testing::Notation;
using ::mxt::testing::ReadFile;

class DropTest : public MainWindowFixture {
 protected:
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : Files().Inputs())
      names.push_back(entry->Name);
    return names;
  }

  // With `andTakeIt` false, returns as the program the drop came from sees it end.
  bool Drop(QMimeData& data, bool andTakeIt = true) {
    QDragEnterEvent enter(QPoint(50, 80), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(50, 80), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    // The window takes the names once the drop is over.
    if (andTakeIt) QCoreApplication::processEvents();
    return true;
  }

  void SetFiles(QMimeData& data, const std::vector<std::string>& names) const {
    QList<QUrl> urls;
    for (const std::string& name : names)
      urls.push_back(QUrl::fromLocalFile(QString::fromStdString(Path(name))));
    data.setUrls(urls);
  }

  bool DropFiles(const std::vector<std::string>& names) {
    QMimeData data;
    SetFiles(data, names);
    return Drop(data);
  }

  // A second start's hand-over, in a thread of its own while the window goes on.
  void HandOverFrom(const std::vector<std::string>& arguments) {
    std::atomic<bool> done = false;
    std::thread start([&] {
      HandOver(arguments);
      done = true;
    });
    while (!done)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    start.join();
    for (int i = 0; i < 20; ++i)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }

  static void Send(QLocalSocket& socket, app::HandOverMessage type,
                   std::span<const std::uint8_t> payload) {
    const auto frame = app::EncodeFrame(type, payload);
    socket.write(reinterpret_cast<const char*>(frame.data()), static_cast<qint64>(frame.size()));
    socket.flush();
  }

  std::unique_ptr<QLocalSocket> Connect() {
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(ChannelPath());
    EXPECT_TRUE(socket->waitForConnected(1000));
    return socket;
  }
};

// The program a drop came from is not kept waiting while a box is read. The drop brings a
// minimized window back as it was, maximized too, before it tells what was not added.
TEST_F(DropTest, DroppedFilesAreAddedAndOnesAlreadyListedCountedOnceTheDropIsOver) {
  MakeFiles({"a.txt", "b.txt", "c.txt"});
  Open({Path("b.txt")});
  window_->showMaximized();
  window_->showMinimized();
  ASSERT_TRUE(window_->isMinimized());
  QMimeData data;
  SetFiles(data, {"a.txt", "b.txt", "c.txt"});
  ASSERT_TRUE(Drop(data, false));
  EXPECT_TRUE(messages_.empty()) << "a box came up inside the drop";
  QCoreApplication::processEvents();
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.txt", "a.txt", "c.txt"}));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "1 個のファイルは、すでに選択されていたため追加されませんでした。");
  EXPECT_FALSE(messages_[0].minimized);
  EXPECT_TRUE(window_->isMaximized());
  EXPECT_TRUE(ConvButton().isEnabled());
}

TEST_F(DropTest, ADroppedFolderIsNoFileUnlessItsFilesAreAskedFor) {
  ::mkdir(Path("folder").c_str(), 0755);
  ::mkdir(Path("folder/sub").c_str(), 0755);
  ::mkdir(Path("folder/.hidden").c_str(), 0755);
  MakeFiles({"folder/b.txt", "folder/a.txt", "folder/sub/c.txt", "folder/.hidden/d.txt"});
  Open();
  EXPECT_TRUE(DropFiles({"folder"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"folder"}));
  CurrentSettings().AddFolderFiles = true;
  EXPECT_TRUE(DropFiles({"folder", "folder/a.txt"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"folder", "a.txt", "b.txt", "c.txt"}));
  ASSERT_EQ(messages_.size(), 1u) << "a.txt came twice";
  EXPECT_EQ(messages_[0].text, "1 個のファイルは、すでに選択されていたため追加されませんでした。");
}

TEST_F(DropTest, ADropConvertsWhenAskedButAHandedOverOneNever) {
  MakeFiles({"a.txt", "b.txt"});
  startSettings_.ConvWhenDropped = true;
  Open({"/UD", "/E"});
  HandOverFrom({Path("a.txt")});
  EXPECT_EQ(Names(), std::vector<std::string>{"a.txt"});
  EXPECT_EQ(ReadFile(Path("a.txt")), kShiftJIS) << "a handed-over drop converted";
  DropFiles({"b.txt"});
  EXPECT_EQ(RowDescription(1), "Converted:\tShift-JIS to EUC");
}

// During a run the window takes no drop; one that comes all the same, handed over from
// another start, is refused with a warning.
TEST_F(DropTest, ADropDuringARunAddsNothingAndTheRunGoesOn) {
  MakeFiles({"a.txt", "b.txt", "late.txt"});
  Open({"/E", Path("a.txt"), Path("b.txt")});
  bool taken = true;
  QTimer::singleShot(0, window_.get(), [&] {
    taken = DropFiles({"late.txt"});
    window_->AddDroppedFiles({Path("late.txt")}, true);
  });
  QTest::mouseClick(&ConvButton(), Qt::LeftButton);
  EXPECT_FALSE(taken);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(RowDescription(1), "Converted:\tShift-JIS to EUC");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "MXT は変換中です。Drag && Drop などは無視されます。");
}

TEST_F(DropTest, ADropWhileADialogIsOpenIsRefused) {
  MakeFiles({"a.txt"});
  Open();
  QDialog dialog(window_.get());
  dialog.setModal(true);
  QTimer::singleShot(0, &dialog, [&] {
    DropFiles({"a.txt"});
    dialog.reject();
  });
  dialog.exec();
  EXPECT_TRUE(Files().Inputs().empty());
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text,
            "MXT にはまだアクティブなダイアログボックスがあります。Drag && Drop "
            "などは無視されます。");
}

TEST_F(DropTest, RowsDraggedOutCarryTheSelectedPathsInListOrderButNeverBackIn) {
  MakeFiles({"a.txt", "b.txt", "c.txt"});
  Open({Path("c.txt"), Path("a.txt"), Path("b.txt")});
  FileListView& list = List("ConvListBox");
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_Home);
  QTest::keyClick(&list, Qt::Key_End, Qt::ShiftModifier);
  QTest::keyClick(&list, Qt::Key_Up, Qt::ShiftModifier);  // rows 0 and 1
  std::unique_ptr<QMimeData> data(window_->DraggedFiles(list));
  const QList<QUrl> urls = data->urls();
  ASSERT_EQ(urls.size(), 2);
  EXPECT_EQ(urls[0].toLocalFile().toStdString(), Path("c.txt"));
  EXPECT_EQ(urls[1].toLocalFile().toStdString(), Path("a.txt"));
  EXPECT_EQ(data->data(QStringLiteral("x-special/gnome-copied-files")),
            QByteArray("copy\n") + urls[0].toEncoded() + "\n" + urls[1].toEncoded());
  EXPECT_FALSE(Drop(*data)) << "the window took rows of its own lists";
  EXPECT_EQ(Files().Inputs().size(), 3u);
}

// They come in many blocks, and make one drop: handed over again, they are counted once.
TEST_F(DropTest, ThreeThousandLongNamesArriveWholeAndInOrderAsOneDrop) {
  ASSERT_EQ(::mkdir(Path("many").c_str(), 0755), 0);
  std::vector<std::string> arguments;
  for (int i = 0; i < 3000; ++i) {
    char number[8];
    std::snprintf(number, sizeof number, "%04d", i);
    arguments.push_back(Path("many/" + std::string(180, 'x') + number + ".txt"));
    ::mxt::testing::WriteFile(arguments.back(), kShiftJIS);
  }
  Open();
  HandOverFrom(arguments);
  ASSERT_EQ(Files().Inputs().size(), 3000u);
  for (std::size_t i = 0; i < 3000; ++i)
    ASSERT_EQ(Files().Inputs()[i]->Path, arguments[i]) << i;
  EXPECT_TRUE(messages_.empty());
  ASSERT_GT(app::MakeDropBlocks(arguments).size(), 5u);
  HandOverFrom(arguments);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text,
            "3000 個のファイルは、すでに選択されていたため追加されませんでした。");
}

// Rubbish on the channel is refused, a stalled connection holds nobody up, and the window
// goes on taking files.
TEST_F(DropTest, TheChannelRefusesHostileConnectionsAndStaysUsable) {
  MakeFiles({"a.txt"});
  Open();
  const std::string header = Bytes("14 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00");
  const std::vector<std::string> blocks = {
      Bytes("14 00 00"),                                                        // short
      header + "/a",                                                            // no terminator
      Bytes("FF 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 00"),  // offset past
      header + "relative.txt" + std::string(2, '\0'),                           // a relative name
  };
  for (const std::string& block : blocks) {
    auto socket = Connect();
    Send(*socket, app::HandOverMessage::DropFiles,
         std::span(reinterpret_cast<const std::uint8_t*>(block.data()), block.size()));
    socket->waitForBytesWritten(1000);
    QTest::qWait(20);
  }
  auto garbage = Connect();
  garbage->write(QByteArray(10 << 20, '\xA5'));
  auto stalled = Connect();
  stalled->write(QByteArray("\x08\x10\x00", 3));  // a frame that never comes whole
  stalled->flush();
  auto greedy = Connect();  // asks and asks, and never reads an answer
  const auto query = app::EncodeFrame(app::HandOverMessage::StateQuery, {});
  QByteArray queries;
  for (int i = 0; i < 400000; ++i)
    queries.append(reinterpret_cast<const char*>(query.data()),
                   static_cast<qsizetype>(query.size()));
  greedy->write(queries);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return greedy->state() == QLocalSocket::UnconnectedState; }, 5000))
      << "answers piled up for a client that never reads them";
  QTest::qWait(100);
  EXPECT_EQ(garbage->state(), QLocalSocket::UnconnectedState) << "rubbish kept on";
  EXPECT_TRUE(Files().Inputs().empty());
  HandOverFrom({Path("a.txt")});
  EXPECT_EQ(Names(), std::vector<std::string>{"a.txt"});
}

// A crowd of connections that send nothing is no way to take every file descriptor: the
// ones past a few are closed at once, and once the crowd goes the window takes files again.
TEST_F(DropTest, ACrowdOfConnectionsIsCutOffAndTheChannelStays) {
  MakeFiles({"a.txt"});
  Open();
  std::vector<std::unique_ptr<QLocalSocket>> crowd;
  for (int i = 0; i < 40; ++i)
    crowd.push_back(Connect());
  const auto open = [&] {
    return std::ranges::count_if(
        crowd, [](const auto& socket) { return socket->state() == QLocalSocket::ConnectedState; });
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return open() <= 16; }, 2000)) << open() << " still open";
  EXPECT_GT(open(), 0) << "the first ones are served as any";
  crowd.clear();
  QTest::qWait(50);
  HandOverFrom({Path("a.txt")});
  EXPECT_EQ(Names(), std::vector<std::string>{"a.txt"});
}

// Names are bytes: one in Shift-JIS comes in and goes out as it is on the disk, and a URL
// naming this machine is a local file too.
TEST_F(DropTest, NamesThatAreNotUTF8DropInAndDragOutByteForByte) {
  const std::string shiftJISName = Bytes("82 A0 '.txt'");  // あ.txt
  MakeFiles({shiftJISName, "b.txt"});
  Open();
  QMimeData data;
  data.setUrls({QUrl::fromEncoded(QByteArray("file://") + Path("").c_str() + "%82%A0.txt"),
                QUrl::fromEncoded(QByteArray("file://localhost") + Path("b.txt").c_str())});
  ASSERT_TRUE(Drop(data));
  ASSERT_EQ(Files().Inputs().size(), 2u);
  EXPECT_EQ(Notation(Files().Inputs()[0]->Path), Notation(Path(shiftJISName)));
  EXPECT_EQ(Files().Inputs()[1]->Path, Path("b.txt"));
  FileListView& list = List("ConvListBox");
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_Home);
  std::unique_ptr<QMimeData> out(window_->DraggedFiles(list));
  EXPECT_EQ(out->data(QStringLiteral("text/uri-list")).trimmed(),
            QByteArray("file://") + Path("").c_str() + "%82%A0.txt");
}

// A box shown for a hand-over runs its own event loop while the connection that brought
// it is closed and freed: nothing freed is touched, and every name arrives, in order.
TEST_F(DropTest, AHandOverGoesOnWhileABoxForItIsOpen) {
  std::vector<std::string> names = {"a.txt"};
  for (int i = 0; i < 400; ++i)
    names.push_back(std::string(200, 'n') + std::to_string(i) + ".txt");
  MakeFiles(names);
  Open({Path("a.txt")});
  window_->SetMessageAnswerer(
      [this](fileconv::MessageKind, std::string_view text, fileconv::MessageButtons) {
        messages_.push_back({fileconv::MessageKind::Information, std::string(text), false, {}});
        QTest::qWait(300);  // as a box would, while the user reads it
        return fileconv::MessageAnswer::Ok;
      });
  std::vector<std::string> paths;
  for (const std::string& name : names)
    paths.push_back(Path(name));
  HandOverFrom(paths);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Files().Inputs().size() == names.size(); }, 5000))
      << Files().Inputs().size() << " of " << names.size() << " arrived";
  EXPECT_TRUE(Names() == names) << "not in the order given";
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "1 個のファイルは、すでに選択されていたため追加されませんでした。");
}

// A window that ends while a start is still connected drops nothing, and touches nothing of
// its own that is gone (the sanitizer build sees to that).
TEST_F(DropTest, AServerThatEndsWithAStartConnectedTakesNoDrop) {
  bool dropped = false;
  auto server = std::make_unique<InstanceServer>(
      InstanceServer::Window{[] { return app::InstanceState{}; }, [](app::HandOverMessage) {},
                             [&](const std::vector<std::string>&) { dropped = true; },
                             [](const std::string&) {}},
      nullptr);
  server->Open();
  ASSERT_TRUE(server->Listening());
  auto sending = Connect();
  Send(*sending, app::HandOverMessage::DropFiles, app::MakeDropBlocks({Path("a.txt")}).front());
  QTest::qWait(100);
  server.reset();
  QTest::qWait(50);
  EXPECT_FALSE(dropped);
}

// While a drop shows its box, a later start's request to bring the window forward is done
// at once: the box is what comes forward, not the window after the box is gone.
TEST_F(DropTest, AShowRequestIsDoneAtOnceWhileADropShowsItsBox) {
  std::vector<std::string> log;
  bool inDrop = false;
  InstanceServer server(
      {[] { return app::InstanceState{}; },
       [&](app::HandOverMessage) { log.push_back(inDrop ? "show during the drop" : "show"); },
       [&](const std::vector<std::string>&) {
         inDrop = true;
         QTest::qWait(300);  // as a box would
         inDrop = false;
         log.push_back("drop");
       },
       [](const std::string&) {}},
      nullptr);
  server.Open();
  ASSERT_TRUE(server.Listening());
  auto dropping = Connect();
  Send(*dropping, app::HandOverMessage::DropFiles, app::MakeDropBlocks({Path("a.txt")}).front());
  dropping->disconnectFromServer();
  std::unique_ptr<QLocalSocket> later;
  QTimer::singleShot(100, [&] {
    later = Connect();
    Send(*later, app::HandOverMessage::BringToFront, {});
  });
  EXPECT_TRUE(QTest::qWaitFor([&] { return log.size() == 2; }, 3000));
  EXPECT_EQ(log, (std::vector<std::string>{"show during the drop", "drop"}));
}

// A window of its own takes the channel over once the instance that answered ends, so a
// later start still finds a window to hand its files to.
TEST_F(DropTest, AnotherWindowTakesTheChannelOverWhenTheFirstEnds) {
  const InstanceServer::Window quiet{
      [] { return app::InstanceState{}; }, [](app::HandOverMessage) {},
      [](const std::vector<std::string>&) {}, [](const std::string&) {}};
  auto first = std::make_unique<InstanceServer>(quiet, nullptr);
  first->Open();
  InstanceServer second(quiet, nullptr);
  second.Open();
  EXPECT_TRUE(first->Listening());
  EXPECT_FALSE(second.Listening());
  QTest::qWait(1200);
  EXPECT_FALSE(second.Listening()) << "took the channel from a running instance";
  first.reset();
  EXPECT_TRUE(QTest::qWaitFor([&] { return second.Listening(); }, 3000));
  Connect();
}

// A runtime folder someone else planted gives no channel: the window says so once.
TEST_F(DropTest, WithoutAPrivateRuntimeFolderTheWindowSaysOnceThatItTakesNoFiles) {
  ASSERT_EQ(::symlink(dir_.Path().c_str(), Path("run/MXT").c_str()), 0);
  Open();
  QTest::qWait(1200);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].kind, fileconv::MessageKind::Warning);
  EXPECT_TRUE(messages_[0].text.starts_with(app::kNoChannelMessage)) << messages_[0].text;
  EXPECT_NE(messages_[0].text.find(Path("run/MXT")), std::string::npos) << messages_[0].text;
  messages_.clear();
  window_.reset();
  Open({"/B", "/E"}, false);
  EXPECT_TRUE(messages_.empty()) << "a batch run waited on the box";
}

}  // namespace
}  // namespace mxt::gui::testing
