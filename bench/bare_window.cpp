// SPDX-License-Identifier: GPL-3.0-or-later
// The floors the game is measured against (scripts/measure.sh): a bare Qt Widgets window of the
// start screen's size, started and shown exactly as the game starts its first window.
//   bare_window WIDTH HEIGHT label           one QLabel in the default face
//   bare_window WIDTH HEIGHT cjk FAMILY      one Chinese QLabel in FAMILY (the start screen's)
//   bare_window WIDTH HEIGHT tick            a 7 ms precise timer that does nothing
//   bare_window WIDTH HEIGHT lineedit        one QLineEdit of 400 x 40 at (20, 20), focused: the
//                                            floor of key-to-screen latency (key_latency.sh)
// It links Qt Widgets alone, so that nothing of the game's own weighs on the floor.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: bare_window WIDTH HEIGHT label|cjk FAMILY|tick|lineedit\n");
    return 2;
  }
  QWidget window;
  window.setFixedSize(std::atoi(argv[1]), std::atoi(argv[2]));
  if (std::strcmp(argv[3], "lineedit") == 0) {
    QLineEdit edit(&window);
    edit.setGeometry(20, 20, 400, 40);
    edit.setFocus();
    window.show();
    return app.exec();
  }
  QLabel label(&window);
  label.setGeometry(20, 20, 600, 80);
  QTimer timer;
  if (std::strcmp(argv[3], "cjk") == 0 && argc > 4) {
    QFont font(QString::fromLocal8Bit(argv[4]));
    font.setPointSizeF(24);
    label.setFont(font);
    label.setText(QStringLiteral("数字专注力训练"));
  } else {
    label.setText(QStringLiteral("Numora"));
  }
  if (std::strcmp(argv[3], "tick") == 0) {
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(7);
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start();
  }
  window.show();
  return app.exec();
}
