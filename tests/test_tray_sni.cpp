// SPDX-License-Identifier: GPL-3.0-or-later
// The tray on desktops that show icons only through StatusNotifierItem (KDE Plasma, GNOME
// with the AppIndicator extension, most Wayland desktops): the installed program on a
// private session bus, with a watcher of this test's own standing in for the desktop.
#include "engine/DayDetails.h"
#include "engine/DayLookup.h"
#include "engine/YearAssembly.h"
#include "shell/DayIcon.h"
#include "shell/TrayText.h"
#include "tests/support/TestDatabase.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QMap>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace lumenar;

namespace {

const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");

// What a desktop's tray host offers: items register here, and the host is always there.
class Watcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items;
    QString sender; // the bus name of the program that registered

public slots:
    void RegisterStatusNotifierItem(const QString &service, const QDBusMessage &message)
    {
        sender = message.service();
        items << service;
        emit StatusNotifierItemRegistered(service);
    }
    void RegisterStatusNotifierHost(const QString &) { }

signals:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);
    void StatusNotifierHostRegistered();
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

// "Lumenar |Customize(Save|…|Start at login[ ]|…)|…", as a host draws it; `ids` takes each label's id.
QString describe(const QList<MenuEntry> &entries, QMap<QString, int> &ids)
{
    QStringList parts;
    for (const MenuEntry &e : entries) {
        const auto property = [&](const char *name) { return e.properties.value(QLatin1String(name)); };
        if (!e.properties.value(QStringLiteral("visible"), true).toBool())
            continue;
        const QString label = property("label").toString().remove(u'_');
        ids[label] = e.id;
        QString text = property("type").toString() == QLatin1String("separator") ? QStringLiteral("-") : label;
        if (property("toggle-type").toString() == QLatin1String("checkmark"))
            text += property("toggle-state").toInt() == 1 ? QStringLiteral("[x]") : QStringLiteral("[ ]");
        if (!e.children.isEmpty())
            text += u'(' + describe(e.children, ids) + u')';
        parts << text;
    }
    return parts.join(u'|');
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
        best = QImage(width, height, QImage::Format_ARGB32);
        const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
        for (int i = 0; i < width * height; ++i, p += 4)
            best.setPixel(i % width, i / width, qRgba(p[1], p[2], p[3], p[0]));
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
        process.terminate();
        if (!process.waitForFinished(30000))
            process.kill();
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

} // namespace

TEST(TraySni, TheProgramShowsTodayAndItsMenuAndEndsFromIt)
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        GTEST_SKIP() << "dbus-daemon (Debian package dbus-daemon) is absent: no session bus to try the tray on";
    // An X server without any XEmbed tray, as on a desktop that has only StatusNotifierItem.
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    ASSERT_FALSE(xvfb.isEmpty()) << "Xvfb (Debian package xvfb) is missing";
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty())
        << "xwininfo (Debian package x11-utils) is missing";
    // A bus of our own, as dbus-run-session makes one: nothing of the machine's session counts.
    Helper busDaemon, x;
    const QString address = busDaemon.start(
        daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    ASSERT_FALSE(address.isEmpty()) << "dbus-daemon did not start";
    const QString display = u':'
        + x.start(xvfb,
            {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24")});
    ASSERT_GT(display.size(), 1) << "Xvfb did not start";
    QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("lumenar-test-bus"));
    const auto disconnect = qScopeGuard([] { QDBusConnection::disconnectFromBus(QStringLiteral("lumenar-test-bus")); });
    ASSERT_TRUE(bus.isConnected()) << qPrintable(bus.lastError().message());
    Watcher watcher;
    ASSERT_TRUE(bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals | QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));

    // The installed program, as a user of a fresh account starts it.
    QTemporaryDir homeDir;
    const QString home = homeDir.path(), runtime = home + QStringLiteral("/run");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env;
    for (const auto &[name, value] : {std::pair{"PATH", QStringLiteral("/usr/bin:/bin")}, {"HOME", home},
             {"XDG_DATA_HOME", home + QStringLiteral("/.local/share")},
             {"XDG_CONFIG_HOME", home + QStringLiteral("/.config")},
             {"XDG_CACHE_HOME", home + QStringLiteral("/.cache")}, {"XDG_DATA_DIRS", home + QStringLiteral("/none")},
             {"XDG_RUNTIME_DIR", runtime}, {"DBUS_SESSION_BUS_ADDRESS", address}, {"DISPLAY", display},
             {"QT_QPA_PLATFORM", QStringLiteral("xcb")}, {"LANG", QStringLiteral("C.UTF-8")}})
        env.insert(QString::fromLatin1(name), value);
    QProcess program; // killed, should the test end early
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(LUMENAR_INSTALLED_PREFIX "/bin/lumenar"), {});
    ASSERT_TRUE(program.waitForStarted(30000)) << qPrintable(program.errorString());
    // Start-up builds a year first; a loaded machine may take a while.
    waitFor([&] { return !watcher.items.isEmpty() || program.state() == QProcess::NotRunning; }, 180000);
    ASSERT_FALSE(watcher.items.isEmpty())
        << "lumenar registered no StatusNotifierItem; it said: " << program.readAll().constData();

    const auto call
        = [&](const QString &path, const QString &interface, const QString &method, const QVariantList &args) {
              QDBusMessage message = QDBusMessage::createMethodCall(watcher.sender, path, interface, method);
              message.setArguments(args);
              const QDBusMessage reply = bus.call(message, QDBus::Block, 60000);
              EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
                  << qPrintable(method) << ": " << qPrintable(reply.errorMessage());
              return reply;
          };
    const auto itemProperty = [&](const char *name) {
        const QDBusMessage reply
            = call(QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("Get"), {kItemInterface, QString::fromLatin1(name)});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    };

    // What the program shows, worked out from a database of the same sources.
    const QDate today = QDate::currentDate();
    const YearCalendar year = test::assembledYear(Variant::Universal, today.year());
    const IconColour colour = iconColourForCode(year.dayColour(today)).value_or(IconColour::Black);
    EXPECT_EQ(itemProperty("Status").toString(), QStringLiteral("Active"));
    const QImage icon = largestPixmap(itemProperty("IconPixmap").value<QDBusArgument>());
    ASSERT_GE(icon.width(), 16) << "the item carries no picture";
    EXPECT_EQ(icon, renderDayIcon(today.day(), colour, icon.width()).convertToFormat(QImage::Format_ARGB32))
        << "the icon is not today's page (" << today.day() << ") in today's colour";

    // ToolTip: (icon name, pictures, title, text); hosts show the title.
    const QDBusArgument tip = itemProperty("ToolTip").value<QDBusArgument>();
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
    const QString menuPath = itemProperty("Menu").value<QDBusObjectPath>().path();
    ASSERT_FALSE(menuPath.isEmpty());
    const QString dbusmenu = QStringLiteral("com.canonical.dbusmenu");
    QMap<QString, int> ids;
    const auto readMenu = [&] {
        call(menuPath, dbusmenu, QStringLiteral("AboutToShow"), {0});
        const QDBusMessage layout = call(menuPath, dbusmenu, QStringLiteral("GetLayout"), {0, -1, QStringList()});
        return describe(readMenuEntry(layout.arguments().value(1).value<QDBusArgument>()).children, ids);
    };
    const auto click = [&](const char *label) {
        ASSERT_TRUE(ids.contains(QLatin1String(label))) << "no entry " << label;
        call(menuPath, dbusmenu, QStringLiteral("Event"),
            {ids.value(QLatin1String(label)), QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
    };
    EXPECT_EQ(readMenu(),
        QStringLiteral(
            "Lumenar |Customize(Save|Default|Start at login[ ]|High contrast[ ]|-|Setup Printer)|Help|About|-|Exit"));

    // A checkable entry answers there too: the autostart entry names the installed program.
    click("Start at login");
    QFile autostart(homeDir.filePath(QStringLiteral(".config/autostart/org.lumenar.Lumenar.desktop")));
    ASSERT_TRUE(waitFor([&] { return autostart.exists(); }, 60000)) << "no autostart entry was written";
    ASSERT_TRUE(autostart.open(QIODevice::ReadOnly));
    EXPECT_TRUE(autostart.readAll().contains("\nTryExec=" LUMENAR_INSTALLED_PREFIX "/bin/lumenar\n"));
    EXPECT_TRUE(readMenu().contains(QLatin1String("Start at login[x]")));

    // Only the item is on screen. A left click on it opens the main window, whose X11 class
    // is the one the desktop entry names, so that docks group the window under its icon.
    EXPECT_EQ(viewableWindows(display), QStringList());
    call(QStringLiteral("/StatusNotifierItem"), kItemInterface, QStringLiteral("Activate"), {0, 0});
    waitFor([&] { return !viewableWindows(display).isEmpty(); }, 60000);
    QFile entry(QStringLiteral(LUMENAR_INSTALLED_PREFIX "/share/applications/org.lumenar.Lumenar.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString wmClass
        = QRegularExpression(QStringLiteral("^StartupWMClass=(.*)$"), QRegularExpression::MultilineOption)
              .match(QString::fromUtf8(entry.readAll()))
              .captured(1);
    EXPECT_EQ(viewableWindows(display), QStringList{QStringLiteral("Lumenar (%1, %1)").arg(wmClass)});

    click("Exit");
    ASSERT_TRUE(waitFor([&] { return program.state() == QProcess::NotRunning; }, 120000))
        << "lumenar is still running after Exit from the tray's menu";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAll().constData();
}

#include "test_tray_sni.moc"
