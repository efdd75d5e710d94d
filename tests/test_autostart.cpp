// SPDX-License-Identifier: GPL-3.0-or-later
// Start at login through an XDG autostart entry.
#include "store/Autostart.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumenar;

namespace {

class Autostart : public ::testing::Test
{
protected:
    QTemporaryDir root;
    QByteArray savedConfigHome = qgetenv("XDG_CONFIG_HOME");

    void SetUp() override { qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toUtf8()); }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", savedConfigHome); }

    QString entry() const
    {
        QFile file(autostartFilePath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

} // namespace

TEST_F(Autostart, OnWritesAValidEntryForTheProgramAndOffRemovesIt)
{
    EXPECT_EQ(autostartFilePath(), root.filePath(QStringLiteral("config/autostart/org.lumenar.Lumenar.desktop")));
    EXPECT_FALSE(autostartEnabled());

    // Spaces, a dollar and a percent sign must survive the Exec line's quoting rules.
    setAutostartEnabled(true, QStringLiteral("/opt/Lumenar 3/bin$/100%/lumenar"));
    EXPECT_TRUE(autostartEnabled());
    EXPECT_TRUE(entry().contains(QLatin1String("\nExec=\"/opt/Lumenar 3/bin\\\\$/100%%/lumenar\"\n")))
        << qPrintable(entry());
    // TryExec names the program as it is, so a login skips the entry once it is uninstalled.
    EXPECT_TRUE(entry().contains(QLatin1String("\nTryExec=/opt/Lumenar 3/bin$/100%/lumenar\n"))) << qPrintable(entry());
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    ASSERT_FALSE(validator.isEmpty()) << "desktop-file-validate (Debian package desktop-file-utils) is missing";
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(validator, {autostartFilePath()});
    ASSERT_TRUE(validate.waitForFinished(60000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().constData();

    setAutostartEnabled(true, QStringLiteral("/usr/bin/lumenar"));
    EXPECT_TRUE(entry().contains(QLatin1String("\nExec=/usr/bin/lumenar\nTryExec=/usr/bin/lumenar\n")))
        << qPrintable(entry());
    setAutostartEnabled(false);
    EXPECT_FALSE(autostartEnabled());
    EXPECT_NO_THROW(setAutostartEnabled(false));
    EXPECT_EQ(QDir(root.filePath(QStringLiteral("config/autostart"))).entryList(QDir::Files), QStringList());
}

TEST_F(Autostart, AFolderThatCannotBeMadeIsReportedInWords)
{
    QFile plain(root.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("plain/config")).toUtf8());
    try {
        setAutostartEnabled(true);
        FAIL() << "wrote an entry under a plain file";
    } catch (const LumenarError &error) {
        EXPECT_TRUE(error.message().startsWith(QLatin1String("Start at login cannot be turned on")))
            << qPrintable(error.message());
    }
    EXPECT_FALSE(autostartEnabled());
}
