// SPDX-License-Identifier: GPL-3.0-or-later
// The tray on desktops that show icons only through StatusNotifierItem (KDE Plasma, GNOME
// with the AppIndicator extension, most Wayland desktops): the installed program on a
// private session bus, with a watcher of this test's own standing in for the desktop.
#include "engine/DayDetails.h"
#include "engine/DayLookup.h"
#include "engine/YearAssembly.h"
#include "shell/DayIcon.h"
#include "shell/TrayText.h"
#include "store/Store.h"
#include "tests/support/TestDatabase.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDate>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>

using namespace lumenar;
using namespace lumenar::test;

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");

// What a desktop's tray host offers: items register here, and the host is always there.
class Watcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    QStringList items() const { return m_items; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    // The bus name of the program that registered, and the service it named.
    QString sender;
    QString service;

public slots:
    void RegisterStatusNotifierItem(const QString &service, const QDBusMessage &message)
    {
        sender = message.service();
        this->service = service;
        m_items << service;
        emit StatusNotifierItemRegistered(service);
    }
    void RegisterStatusNotifierHost(const QString &) { }

signals:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    QStringList m_items;
};

struct MenuEntry
{
    int id = 0;
    QVariantMap properties;
    QList<MenuEntry> children;
};

MenuEntry readMenuEntry(const QDBusArgument &arg)
{
    MenuEntry entry;
    arg.beginStructure();
    arg >> entry.id >> entry.properties;
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        entry.children << readMenuEntry(child.variant().value<QDBusArgument>());
    }
    arg.endArray();
    arg.endStructure();
    return entry;
}

// "Lumenar |Customize(Save|Default|Start at login[ ]|High contrast[ ]|-|Setup Printer)|…", as a host draws it.
QString describe(const QList<MenuEntry> &entries)
{
    QStringList parts;
    for (const MenuEntry &e : entries) {
        if (!e.properties.value(QStringLiteral("visible"), true).toBool())
            continue;
        QString text = e.properties.value(QStringLiteral("type")).toString() == QLatin1String("separator")
            ? QStringLiteral("-")
            : e.properties.value(QStringLiteral("label")).toString().remove(u'_');
        if (e.properties.value(QStringLiteral("toggle-type")).toString() == QLatin1String("checkmark"))
            text += e.properties.value(QStringLiteral("toggle-state")).toInt() == 1 ? QStringLiteral("[x]")
                                                                                    : QStringLiteral("[ ]");
        if (!e.children.isEmpty())
            text += u'(' + describe(e.children) + u')';
        parts << text;
    }
    return parts.join(u'|');
}

int findEntry(const QList<MenuEntry> &entries, const QString &label)
{
    for (const MenuEntry &e : entries) {
        if (e.properties.value(QStringLiteral("label")).toString().remove(u'_') == label)
            return e.id;
        if (int id = findEntry(e.children, label))
            return id;
    }
    return 0;
}

// The largest picture of an IconPixmap (a(iiay): width, height, ARGB32 in network order).
QImage largestPixmap(const QDBusArgument &arg)
{
    QImage best;
    arg.beginArray();
    while (!arg.atEnd()) {
        int width = 0, height = 0;
        QByteArray bytes;
        arg.beginStructure();
        arg >> width >> height >> bytes;
        arg.endStructure();
        if (width <= best.width() || bytes.size() != width * height * 4)
            continue;
        QImage image(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const auto *p = reinterpret_cast<const uchar *>(bytes.constData()) + (y * width + x) * 4;
                image.setPixel(x, y, qRgba(p[1], p[2], p[3], p[0]));
            }
        best = image;
    }
    arg.endArray();
    return best;
}

template <typename Done> bool waitFor(Done done, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(50);
    }
    return true;
}

// A helper the test starts and ends: a session bus or an X server.
struct Helper
{
    QProcess process;
    ~Helper()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(30000))
                process.kill();
        }
    }
    // Starts `program` and returns the first line it prints (an address, a display number).
    QString start(const QString &program, const QStringList &args)
    {
        process.start(program, args);
        if (!process.waitForStarted(30000) || !waitFor([this] { return process.canReadLine(); }, 60000))
            return {};
        return QString::fromUtf8(process.readLine()).trimmed();
    }
};

// The program's top-level windows that are on screen, as "title (instance, class)".
QStringList viewableWindows(const QString &display)
{
    auto run = [&](const QStringList &args) {
        QProcess xwininfo;
        xwininfo.start(QStringLiteral("xwininfo"), QStringList{QStringLiteral("-display"), display} + args);
        xwininfo.waitForFinished(30000);
        return QString::fromUtf8(xwininfo.readAllStandardOutput());
    };
    // 0x1a00007 "Lumenar": ("lumenar" "lumenar")  640x480+0+0  +0+0
    static const QRegularExpression line(
        QStringLiteral("^\\s*(0x[0-9a-f]+) \"(.*)\": \\(\"(.*)\" \"(.*)\"\\)"), QRegularExpression::MultilineOption);
    QStringList shown;
    for (const QRegularExpressionMatch &m :
        line.globalMatch(run({QStringLiteral("-root"), QStringLiteral("-children")}))) {
        if (run({QStringLiteral("-id"), m.captured(1)}).contains(QLatin1String("Map State: IsViewable")))
            shown << QStringLiteral("%1 (%2, %3)").arg(m.captured(2), m.captured(3), m.captured(4));
    }
    return shown;
}

class TraySni : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon (Debian package dbus-daemon) is absent: no session bus to try the tray on";
        // An X server without any XEmbed tray, as on a desktop that has only StatusNotifierItem.
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        ASSERT_FALSE(xvfb.isEmpty()) << "Xvfb (Debian package xvfb) is missing";
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty())
            << "xwininfo (Debian package x11-utils) is missing";
        ASSERT_TRUE(m_home.isValid());
        // A bus of our own, as dbus-run-session makes one: nothing of the machine's session counts.
        m_address = m_bus.start(
            daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        ASSERT_FALSE(m_address.isEmpty())
            << "dbus-daemon did not start: " << m_bus.process.readAllStandardError().constData();
        m_display = m_x.start(xvfb,
            {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24")});
        ASSERT_FALSE(m_display.isEmpty()) << "Xvfb did not start: " << m_x.process.readAllStandardError().constData();

        m_connection = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(m_address, kConnection));
        ASSERT_TRUE(m_connection->isConnected()) << qPrintable(m_connection->lastError().message());
        ASSERT_TRUE(m_connection->registerObject(QStringLiteral("/StatusNotifierWatcher"), &m_watcher,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals
                | QDBusConnection::ExportAllProperties));
        ASSERT_TRUE(m_connection->registerService(kWatcherService));
    }

    void TearDown() override
    {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished(30000);
        }
        m_connection.reset();
        QDBusConnection::disconnectFromBus(kConnection);
    }

    // The installed program, as a user of a fresh account starts it.
    void startProgram()
    {
        const QString home = m_home.path();
        const QString runtime = home + QStringLiteral("/run");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), home + QStringLiteral("/none"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
        env.insert(QStringLiteral("DISPLAY"), u':' + m_display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::MergedChannels);
        m_program.start(QStringLiteral(LUMENAR_INSTALLED_PREFIX "/bin/lumenar"), {});
        ASSERT_TRUE(m_program.waitForStarted(30000)) << qPrintable(m_program.errorString());
    }

    QVariant itemProperty(const QString &name)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(m_watcher.sender, QStringLiteral("/StatusNotifierItem"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << kItemInterface << name;
        const QDBusMessage reply = m_connection->call(get, QDBus::Block, 60000);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
            << qPrintable(name) << ": " << qPrintable(reply.errorMessage());
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    QDBusMessage menuCall(const QString &path, const QString &method, const QVariantList &args)
    {
        QDBusMessage call
            = QDBusMessage::createMethodCall(m_watcher.sender, path, QStringLiteral("com.canonical.dbusmenu"), method);
        call.setArguments(args);
        return m_connection->call(call, QDBus::Block, 60000);
    }

    const QString kConnection = QStringLiteral("lumenar-test-bus");
    QTemporaryDir m_home;
    Helper m_bus;
    Helper m_x;
    QString m_address;
    QString m_display;
    std::unique_ptr<QDBusConnection> m_connection;
    Watcher m_watcher;
    QProcess m_program;
};

} // namespace

TEST_F(TraySni, TheProgramShowsTodayAndItsMenuAndEndsFromIt)
{
    startProgram();
    // Start-up builds a year first; a loaded machine may take a while.
    waitFor([this] { return !m_watcher.service.isEmpty() || m_program.state() == QProcess::NotRunning; }, 180000);
    ASSERT_FALSE(m_watcher.service.isEmpty())
        << "lumenar registered no StatusNotifierItem; it said: " << m_program.readAll().constData();

    // What the program shows, worked out from a database of the same sources.
    const QDate today = QDate::currentDate();
    const YearCalendar year = test::assembledYear(Variant::Universal, today.year());
    const IconColour colour = iconColourForCode(year.dayColour(today)).value_or(IconColour::Black);

    EXPECT_EQ(itemProperty(QStringLiteral("Status")).toString(), QStringLiteral("Active"));
    const QImage icon = largestPixmap(itemProperty(QStringLiteral("IconPixmap")).value<QDBusArgument>());
    ASSERT_GE(icon.width(), 16) << "the item carries no picture";
    EXPECT_EQ(icon, renderDayIcon(today.day(), colour, icon.width()).convertToFormat(QImage::Format_ARGB32))
        << "the icon is not today's page (" << today.day() << ") in today's colour";

    // ToolTip: (icon name, pictures, title, text); hosts show the title.
    const QDBusArgument tip = itemProperty(QStringLiteral("ToolTip")).value<QDBusArgument>();
    QString tipIcon, title, text;
    tip.beginStructure();
    tip >> tipIcon;
    largestPixmap(tip);
    tip >> title >> text;
    tip.endStructure();
    EXPECT_FALSE(title.isEmpty());
    const auto details = year.details(today);
    EXPECT_EQ(title, BuildTrayTooltip(year.day(today), details ? dayDetailsLine(*details) : QString()));

    // The menu as a host reads it before it draws it.
    const QString menuPath = itemProperty(QStringLiteral("Menu")).value<QDBusObjectPath>().path();
    ASSERT_FALSE(menuPath.isEmpty());
    auto readMenu = [&] {
        menuCall(menuPath, QStringLiteral("AboutToShow"), {0});
        const QDBusMessage layout = menuCall(menuPath, QStringLiteral("GetLayout"), {0, -1, QStringList()});
        EXPECT_EQ(layout.type(), QDBusMessage::ReplyMessage) << qPrintable(layout.errorMessage());
        return readMenuEntry(layout.arguments().value(1).value<QDBusArgument>()).children;
    };
    auto click = [&](const QList<MenuEntry> &menu, const QString &label) {
        const int id = findEntry(menu, label);
        ASSERT_NE(id, 0) << "no entry " << qPrintable(label);
        const QDBusMessage clicked = menuCall(menuPath, QStringLiteral("Event"),
            {id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
        EXPECT_EQ(clicked.type(), QDBusMessage::ReplyMessage) << qPrintable(clicked.errorMessage());
    };
    const QList<MenuEntry> menu = readMenu();
    EXPECT_EQ(describe(menu),
        QStringLiteral(
            "Lumenar |Customize(Save|Default|Start at login[ ]|High contrast[ ]|-|Setup Printer)|Help|About|-|Exit"));

    // A checkable entry answers there too: the autostart entry is written, naming the
    // installed program, and the mark follows.
    click(menu, QStringLiteral("Start at login"));
    const QString autostart = m_home.filePath(QStringLiteral(".config/autostart/org.lumenar.Lumenar.desktop"));
    ASSERT_TRUE(waitFor([&] { return QFile::exists(autostart); }, 60000)) << "no autostart entry was written";
    QFile autostartFile(autostart);
    ASSERT_TRUE(autostartFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(autostartFile.readAll().contains("\nTryExec=" LUMENAR_INSTALLED_PREFIX "/bin/lumenar\n"));
    EXPECT_TRUE(describe(readMenu()).contains(QLatin1String("Start at login[x]")));

    // Only the item is on screen. A left click on it opens the main window, whose X11 class
    // is the one the desktop entry names, so that docks group the window under its icon.
    const QString display = u':' + m_display;
    EXPECT_EQ(viewableWindows(display), QStringList());
    QDBusMessage activate = QDBusMessage::createMethodCall(
        m_watcher.sender, QStringLiteral("/StatusNotifierItem"), kItemInterface, QStringLiteral("Activate"));
    activate << 0 << 0;
    EXPECT_EQ(m_connection->call(activate, QDBus::Block, 60000).type(), QDBusMessage::ReplyMessage);
    waitFor([&] { return !viewableWindows(display).isEmpty(); }, 60000);
    QFile entry(QStringLiteral(LUMENAR_INSTALLED_PREFIX "/share/applications/org.lumenar.Lumenar.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString wmClass
        = QRegularExpression(QStringLiteral("^StartupWMClass=(.*)$"), QRegularExpression::MultilineOption)
              .match(QString::fromUtf8(entry.readAll()))
              .captured(1);
    const QStringList windows = viewableWindows(display);
    EXPECT_EQ(windows, QStringList{QStringLiteral("Lumenar (%1, %1)").arg(wmClass)});
    // What a desktop would show, for the log.
    std::printf("item %s: icon %dx%d, tooltip \"%s\", menu %s; after a left click: %s\n", qPrintable(m_watcher.service),
        icon.width(), icon.height(), qPrintable(QString(title).replace(u'\n', QStringLiteral(" / "))),
        qPrintable(describe(menu)), qPrintable(windows.join(QStringLiteral(", "))));

    click(menu, QStringLiteral("Exit"));
    ASSERT_TRUE(waitFor([this] { return m_program.state() == QProcess::NotRunning; }, 120000))
        << "lumenar is still running after Exit from the tray's menu";
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_program.exitCode(), 0) << m_program.readAll().constData();
}

#include "test_tray_sni.moc"
