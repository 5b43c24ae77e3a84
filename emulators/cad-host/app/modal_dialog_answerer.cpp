#include "modal_dialog_answerer.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "cadhost/host_state.h"

namespace cadhost {
namespace {

// Long enough for the dialog's first paint, which takes 40–60 ms here.
constexpr int kShotDelayMs = 400;

void message(const QString& text) {
    hostMessage(text.toStdString());
}

// The host window and the dialog as the user sees them; without a real screen (offscreen) the
// windows are drawn one over the other instead.
QPixmap pictureOfWindows(QDialog& dialog) {
    QRect area;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible()) {
            area = area.united(window->frameGeometry());
        }
    }
    if (QScreen* screen = dialog.screen()) {
        QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        if (!shot.isNull() && QGuiApplication::platformName() != QLatin1String("offscreen")) {
            return shot;
        }
    }
    QPixmap picture(area.size());
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (QWidget* window : windows) {
        if (window->isVisible() && window != &dialog) {
            painter.drawPixmap(window->geometry().topLeft() - area.topLeft(), window->grab());
        }
    }
    painter.drawPixmap(dialog.geometry().topLeft() - area.topLeft(), dialog.grab());
    return picture;
}

}  // namespace

ModalDialogAnswerer::ModalDialogAnswerer(DialogScript& script, bool cancelUnanswered,
                                         QObject* parent)
    : QObject(parent), m_script(script), m_cancelUnanswered(cancelUnanswered) {}

bool ModalDialogAnswerer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog != nullptr && dialog->isWindow() && dialog->isModal()) {
            QPointer<QDialog> guarded(dialog);
            // After the show has finished, inside the dialog's own loop: by then the dialog has
            // initialised itself, caption included.
            QTimer::singleShot(0, this, [this, guarded] {
                if (!guarded.isNull()) {
                    message(QStringLiteral("Dialog \"%1\" opened.").arg(guarded->windowTitle()));
                }
                answer(guarded);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void ModalDialogAnswerer::answer(QPointer<QDialog> dialog) {
    if (dialog.isNull() || !dialog->isVisible()) {
        return;
    }
    const auto next = m_script.take();
    if (!next) {
        if (m_cancelUnanswered) {
            message(QStringLiteral("No answer for dialog \"%1\": cancelled.")
                        .arg(dialog->windowTitle()));
            dialog->reject();
        }
        return;
    }
    switch (next->kind) {
        case DialogAnswer::Kind::Cancel:
            dialog->reject();
            break;
        case DialogAnswer::Kind::Ok:
            dialog->accept();
            if (dialog->isVisible()) {
                message(QStringLiteral("Dialog \"%1\" stayed open.").arg(dialog->windowTitle()));
                QTimer::singleShot(0, this, [this, dialog] { answer(dialog); });
            }
            break;
        case DialogAnswer::Kind::Shot: {
            const QString path = QString::fromStdString(next->path);
            QTimer::singleShot(kShotDelayMs, this, [this, dialog, path] {
                saveShot(dialog, path);
                answer(dialog);
            });
            break;
        }
    }
}

void ModalDialogAnswerer::saveShot(QPointer<QDialog> dialog, const QString& path) {
    if (dialog.isNull()) {
        return;
    }
    if (pictureOfWindows(*dialog).save(path)) {
        message(QStringLiteral("Picture saved to %1.").arg(path));
    } else {
        message(QStringLiteral("Could not save the picture to %1.").arg(path));
    }
}

}  // namespace cadhost
