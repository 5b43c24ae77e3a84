// The Qt headers that most of the Qt code includes, parsed once per target: QtWidgets' headers
// take several seconds to parse for every file that includes them. Guarded, because a target may
// link only some of Qt's modules.
#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QTimer>
#if __has_include(<QtGui/QPainter>)
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#endif
#if __has_include(<QtWidgets/QWidget>)
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QWidget>
#endif
#if __has_include(<QtTest/QTest>)
#include <QtTest/QTest>
#endif
