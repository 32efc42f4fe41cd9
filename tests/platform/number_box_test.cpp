// SPDX-License-Identifier: GPL-3.0-or-later
// The challenge input box: which character code each key carries, and that no text gets in
// except through the key filter.
#include "platform/number_box.h"

#include <QApplication>
#include <QBackingStore>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLinearGradient>
#include <QMimeData>
#include <QtTest>

#include "platform/panel_copies.h"
#include "tests/support/columns.h"
#include "tests/support/window_driver.h"

using numora::platform::KeyRoute;
using numora::platform::NumberBox;
using numora::platform::PanelCopiesServed;
using numora::platform::RouteKey;
using numora::platform::UsePanelCopies;
using numora::testing::AddColumns;

Q_DECLARE_METATYPE(KeyRoute::Kind)

class NumberBoxTest : public QObject {
  Q_OBJECT

 private slots:
  // The same key must give the same code whatever text the platform attaches to it.
  void routesKeysByKeyAndModifiers_data() {
    AddColumns<int, int, QString, KeyRoute::Kind, int>("key", "modifiers", "text", "kind", "code");
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("digit") << int(Qt::Key_7) << none << "7" << KeyRoute::Character << 55;
    QTest::newRow("keypad digit") << int(Qt::Key_3) << keypad << "3" << KeyRoute::Character << 51;
    QTest::newRow("return") << int(Qt::Key_Return) << none << "\r" << KeyRoute::Character << 13;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << keypad << "\r" << KeyRoute::Character
                                  << 13;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << KeyRoute::Character
                               << 8;
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << KeyRoute::Character << 27;
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << KeyRoute::Character << 97;
    QTest::newRow("blank") << int(Qt::Key_Space) << none << " " << KeyRoute::Character << 32;
    QTest::newRow("minus") << int(Qt::Key_Minus) << none << "-" << KeyRoute::Character << 45;
    QTest::newRow("ctrl+v as X11 sends it")
        << int(Qt::Key_V) << ctrl << "\x16" << KeyRoute::Character << 22;
    QTest::newRow("ctrl+v as QTest sends it")
        << int(Qt::Key_V) << ctrl << "v" << KeyRoute::Character << 22;
    QTest::newRow("ctrl+a") << int(Qt::Key_A) << ctrl << "\x01" << KeyRoute::Character << 1;
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << ctrl << "" << KeyRoute::Character << 26;
    QTest::newRow("delete as X11 sends it")
        << int(Qt::Key_Delete) << none << "\x7f" << KeyRoute::Edit << 0;
    QTest::newRow("delete as QTest sends it")
        << int(Qt::Key_Delete) << none << "" << KeyRoute::Edit << 0;
    QTest::newRow("left") << int(Qt::Key_Left) << none << "" << KeyRoute::Edit << 0;
    QTest::newRow("home") << int(Qt::Key_Home) << none << "" << KeyRoute::Edit << 0;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << KeyRoute::Pass << 0;
    QTest::newRow("shift+insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << ""
                                  << KeyRoute::Drop << 0;
    QTest::newRow("function key") << int(Qt::Key_F5) << none << "" << KeyRoute::Drop << 0;
    QTest::newRow("shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << ""
                                 << KeyRoute::Drop << 0;
    QTest::newRow("chinese character")
        << int(Qt::Key_unknown) << none << "数" << KeyRoute::Character << 0x6570;
    // A full-width digit is the digit; other full-width text is the character it is.
    QTest::newRow("full-width 0") << 0xFF10 << none << "０" << KeyRoute::Character << 48;
    QTest::newRow("full-width 9") << 0xFF19 << none << "９" << KeyRoute::Character << 57;
    QTest::newRow("full-width a") << 0xFF41 << none << "ａ" << KeyRoute::Character << 0xFF41;
    // Without NumLock the number pad's keys are movement keys with the keypad modifier, and
    // still the digits printed on them; the main block's movement keys and the pad's Delete edit.
    for (const char digit : {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}) {
      QTest::addRow("pad %c without NumLock", digit)
          << int(numora::driving::PadKeyWithoutNumLock(QChar(digit))) << keypad << ""
          << KeyRoute::Character << int(digit);
    }
    QTest::newRow("pad delete") << int(Qt::Key_Delete) << keypad << "" << KeyRoute::Edit << 0;
    QTest::newRow("end") << int(Qt::Key_End) << none << "" << KeyRoute::Edit << 0;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << none << "" << KeyRoute::Drop << 0;
  }
  void routesKeysByKeyAndModifiers() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(KeyRoute::Kind, kind);
    QFETCH(int, code);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    const KeyRoute route = RouteKey(event);
    QCOMPARE(route.kind, kind);
    if (kind == KeyRoute::Character) QCOMPARE(route.code, code);
  }

  void init() {
    box_ = std::make_unique<NumberBox>();
    seen_.clear();
    // A filter that passes digits and Backspace and swallows everything else.
    box_->SetKeyFilter([this](int code) {
      seen_.push_back(code);
      return (code >= '0' && code <= '9') || code == 8 ? code : 0;
    });
    box_->show();
    QVERIFY(QTest::qWaitForWindowExposed(box_.get()));
    box_->setFocus();
  }
  void cleanup() { box_.reset(); }

  void typedKeysGoThroughTheFilter() {
    QTest::keyClicks(box_.get(), "12a3");
    QCOMPARE(box_->text(), QString("123"));
    QTest::keyClick(box_.get(), Qt::Key_Backspace);
    QCOMPARE(box_->text(), QString("12"));
    QTest::keyClick(box_.get(), Qt::Key_Return);
    QCOMPARE(box_->text(), QString("12"));
    QCOMPARE(seen_, (std::vector<int>{'1', '2', 'a', '3', 8, 13}));
  }

  void deleteAndArrowsEditWithoutTheFilter() {
    QTest::keyClicks(box_.get(), "123");
    seen_.clear();
    QTest::keyClick(box_.get(), Qt::Key_Left);
    QTest::keyClick(box_.get(), Qt::Key_Delete);
    QCOMPARE(box_->text(), QString("12"));
    QVERIFY(seen_.empty());
  }

  void noPasteByKeys() {
    QGuiApplication::clipboard()->setText("999");
    QTest::keyClick(box_.get(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box_.get(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(box_->text(), QString());
    QCOMPARE(seen_, std::vector<int>{22});
  }

  // The middle button never reaches the line edit: its press would place the cursor, its release
  // paste the X11 selection there.
  void noPasteByMiddleButtonOrMenu() {
    QGuiApplication::clipboard()->setText("999");
    if (QGuiApplication::clipboard()->supportsSelection()) {
      QGuiApplication::clipboard()->setText("888", QClipboard::Selection);
    }
    QTest::keyClicks(box_.get(), "12");
    QTest::mouseClick(box_.get(), Qt::MiddleButton, {}, QPoint(1, box_->height() / 2));
    QCOMPARE(box_->text(), QString("12"));
    QCOMPARE(box_->cursorPosition(), 2);
    QCOMPARE(box_->contextMenuPolicy(), Qt::NoContextMenu);
  }

  void noDrops() {
    QVERIFY(!box_->acceptDrops());
    QMimeData data;
    data.setText("777");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box_.get(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box_.get(), &drop);
    QCOMPARE(box_->text(), QString());
  }

  // The input method is off for the box, and what one commits all the same is typed key by key
  // through the filter; nothing it composes shows.
  void inputMethodTextIsTyped() {
    QCOMPARE(box_->inputMethodQuery(Qt::ImEnabled).toBool(), false);
    QInputMethodEvent composing(QStringLiteral("12"), {});
    QApplication::sendEvent(box_.get(), &composing);
    QCOMPARE(box_->text(), QString());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("4２ａ5"));
    QApplication::sendEvent(box_.get(), &commit);
    QCOMPARE(box_->text(), QString("425"));
    QCOMPARE(seen_, (std::vector<int>{'4', '2', 0xFF41, '5'}));
  }

  // A large box's panel comes from a copy of what the style drew, to the pixel, whatever the
  // box's state, whatever was beneath, and for a part of the box repainted alone.
  void panelCopiesDrawWhatTheStyleDraws() {
    QWidget window;
    window.resize(640, 420);
    // A widget beneath the box of its own, so that a new background leaves the box's colours.
    QWidget* under = new QWidget(&window);
    under->setGeometry(window.rect());
    under->setAutoFillBackground(true);
    auto paintBeneath = [&](const QColor& from, const QColor& to) {
      QLinearGradient beneath(0, 0, 640, 420);
      beneath.setColorAt(0, from);
      beneath.setColorAt(1, to);
      QPalette palette = under->palette();
      palette.setBrush(QPalette::Window, beneath);
      under->setPalette(palette);
    };
    paintBeneath(Qt::yellow, Qt::darkBlue);
    NumberBox* box = new NumberBox(&window);
    box->setGeometry(37, 23, 465, 305);
    QFont font = box->font();
    font.setPixelSize(200);
    box->setFont(font);
    box->setText(QStringLiteral("12"));
    QVERIFY(numora::driving::ShowActive(window));
    // What the window's own backing store holds over the box after a repaint of `part`.
    auto painted = [&](const QRect& part) {
      box->repaint(part.translated(-box->pos()));
      auto* device = window.backingStore()->paintDevice();
      return device->devType() == QInternal::Image
                 ? static_cast<QImage*>(device)->copy(box->geometry())
                 : QImage();
    };
    auto compare = [&](const char* what, const QRect& part) {
      UsePanelCopies(false);
      const QImage drawn = painted(part);
      UsePanelCopies(true);
      QVERIFY2(!drawn.isNull(), what);
      QVERIFY2(painted(part) == drawn, what);
      QVERIFY2(painted(part) == drawn, what);
    };
    const long servedBefore = PanelCopiesServed();
    const QRect whole = box->geometry();
    box->setFocus();
    compare("focused", whole);
    box->setText(QStringLiteral("123"));
    compare("a digit more", whole);
    compare("a corner alone", QRect(whole.topLeft() - QPoint(5, 5), QSize(60, 40)));
    compare("a strip across the frame",
            QRect(whole.x() + 100, whole.y() - 3, 40, whole.height() + 6));
    window.setFocus();
    compare("without focus", whole);
    paintBeneath(Qt::white, Qt::darkGreen);
    compare("another background", whole);
    box->setEnabled(false);
    compare("disabled", whole);
    QVERIFY(PanelCopiesServed() > servedBefore);
  }

 private:
  std::unique_ptr<NumberBox> box_;
  std::vector<int> seen_;
};

QTEST_MAIN(NumberBoxTest)
#include "number_box_test.moc"
