#pragma once

class QCoreApplication;

// Qt's own Chinese (standard buttons 是(Y)/否(N), 确定, the file and print dialogs), so that a
// plug-in's dialogs read as they would in a Chinese CAD host. Without the translation files the
// host runs in Qt's English; that is no reason to stop.
void installQtChinese(QCoreApplication& app);
