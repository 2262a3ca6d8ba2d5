#pragma once

#include "ui/controls/windows1252codec.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace marquis::testing {

// The child of `parent` with the object name `name`; the test fails when there is none.
template <typename Widget> Widget* child(QWidget& parent, const char* name)
{
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << "no control " << name;
    return widget;
}

inline std::string text(const QString& value)
{
    return qt::toUtf8(value);
}

// Runs `user` once the next modal window is open, as a user who answers it would.
inline void whenModalOpens(std::function<void(QWidget&)> user)
{
    QTimer::singleShot(0, [user] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        user(*modal);
    });
}

} // namespace marquis::testing
