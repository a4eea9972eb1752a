// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form3.h"
#include "common/IsolatedSettings.h"
#include "common/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <array>

// Data files written at run time, in the reader's format:
// "Name","(t;p),(t;p),…,(13;0)" and CRLF.
class DataFiles
{
public:
    struct Months
    {
        std::array<double, 13> temp{};
        std::array<double, 13> ppt{};
    };

    static Months constant(double temp, double ppt)
    {
        Months months;
        months.temp.fill(temp);
        months.ppt.fill(ppt);
        return months;
    }

    // Temperatures base + month, precipitation 10 × month.
    static Months ramp(double base)
    {
        Months months;
        for (int m = 1; m <= 12; ++m) {
            months.temp[m] = base + m;
            months.ppt[m] = 10.0 * m;
        }
        return months;
    }

    static QByteArray pairList(const Months &months, int pairs = 12, bool closingPair = true)
    {
        QStringList list;
        for (int m = 1; m <= pairs; ++m)
            list << QStringLiteral("(%1;%2)").arg(months.temp[m]).arg(months.ppt[m]);
        if (closingPair)
            list << QStringLiteral("(13;0)");
        return list.join(u',').toUtf8();
    }

    QString write(const QString &fileName, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(fileName);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(bytes);
        return path;
    }

    QString place(const QString &fileName, const QString &name, const Months &months, int pairs = 12,
                  bool closingPair = true)
    {
        return write(fileName, "\"" + name.toUtf8() + "\",\"" + pairList(months, pairs, closingPair) + "\"\r\n");
    }

    QString path(const QString &fileName) const { return m_dir.filePath(fileName); }

private:
    QTemporaryDir m_dir;
};

// Opens `path` the way a user does: the open button, then the dialog's answer.
inline void openThroughToolbar(Form3 &window, ScriptedDialogs &dialogs, const QString &path)
{
    dialogs.openAnswers.enqueue(path);
    QTest::mouseClick(window.controls().Bot[1], Qt::LeftButton);
}

// Controls discarded by reset all go at the next turn of the event loop.
inline void flushDeletions()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
