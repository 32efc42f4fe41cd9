// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/placeholder.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace numora::platform {

void ShowPlaceholderWindow(int level, QWidget* parent) {
  QDialog window(parent);
  window.setWindowTitle(QStringLiteral("Numora"));
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(QStringLiteral("%1级：这一关还在制作中").arg(level), &window));
  auto* back = new QPushButton(QStringLiteral("返 回"), &window);
  back->setObjectName(QStringLiteral("Command2"));
  QObject::connect(back, &QPushButton::clicked, &window, &QDialog::accept);
  layout->addWidget(back);
  window.exec();
}

}  // namespace numora::platform
