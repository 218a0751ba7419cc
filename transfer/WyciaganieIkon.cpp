#include "transfer/WyciaganieIkon.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>

#include <sys/stat.h>

#include <algorithm>

#include "files/NativeNames.h"
#include "files/ReadGate.h"
#include "transfer/PeIcons.h"
#include "transfer/PictureDecoder.h"
#include "qt/QtColour.h"

namespace WyciaganieIkon {
namespace {

// The picture at exactly size x size: a square is scaled, anything else
// keeps its shape, centred. Nearest-neighbour sampling: every pixel keeps
// one of the icon's own colours (a blend of two palette colours is none).
QImage Fit(const QImage& img, int size)
{
    if (img.isNull() || img.size() == QSize(size, size))
        return img.isNull() ? img : img.convertToFormat(QImage::Format_ARGB32);
    const QImage scaled = img.scaled(size, size, Qt::KeepAspectRatio, Qt::FastTransformation);
    QImage out(size, size, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
    return out;
}

// The theme is looked up under the system folders with Adwaita behind the
// current theme, once.
void PrepareTheme()
{
    static const bool done = [] {
        QStringList paths = QIcon::themeSearchPaths();
        if (!paths.contains(QStringLiteral("/usr/share/icons")))
            QIcon::setThemeSearchPaths(paths << QStringLiteral("/usr/share/icons"));
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        // Without a desktop's own theme, Adwaita itself (which inherits
        // hicolor): Qt keeps the fallback it had when a theme was first
        // looked up, so once a file dialog has shown its icons a new
        // fallback would never be consulted.
        const QString theme = QIcon::themeName();
        if (theme.isEmpty() || theme == QLatin1String("hicolor"))
            QIcon::setThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    (void)done;
}

QImage ThemeIcon(const QStringList& names, int size)
{
    PrepareTheme();
    for (const QString& name : names) {
        if (name.isEmpty() || !QIcon::hasThemeIcon(name))
            continue;
        const QImage img = QIcon::fromTheme(name).pixmap(QSize(size, size)).toImage();
        if (!img.isNull())
            return Fit(img, size);
    }
    return {};
}

// The type of a special file, as the shared MIME database names it.
QString SpecialType(const QString& path)
{
    struct stat st {};
    if (::stat(NativeName(path).constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return QStringLiteral("inode/directory");
    if (S_ISCHR(st.st_mode))
        return QStringLiteral("inode/chardevice");
    if (S_ISBLK(st.st_mode))
        return QStringLiteral("inode/blockdevice");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("inode/fifo");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("inode/socket");
    return QStringLiteral("application/octet-stream");
}

// By the name and the bytes already read: the database is never handed the
// path, which it would spell in its own way and open again.
QImage MimeIcon(const QString& path, PathKind kind, pe::Bytes data, int size)
{
    QMimeDatabase db;
    const QMimeType mime = kind == PathKind::Regular || kind == PathKind::Unreadable
        ? db.mimeTypeForFileNameAndData(DisplayName(QFileInfo(path).fileName()),
                                        QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                                                qsizetype(std::min<std::size_t>(data.size(), 4096))))
        : db.mimeTypeForName(SpecialType(path));
    QStringList names{mime.iconName(), mime.genericIconName()};
    for (const QString& parent : mime.allAncestors())
        names << db.mimeTypeForName(parent).genericIconName();
    names << QStringLiteral("text-x-generic") << QStringLiteral("unknown");
    return ThemeIcon(names, size);
}

QImage DesktopEntryIcon(const pe::Bytes entry, int size)
{
    if (entry.size() > MaxDesktopEntryBytes)
        return {};
    const QString name =
        DesktopEntryIconName(QByteArray::fromRawData(reinterpret_cast<const char*>(entry.data()), qsizetype(entry.size())));
    if (name.isEmpty())
        return {};
    if (!QFileInfo(name).isAbsolute())
        return ThemeIcon({name}, size);
    // Read as any imported picture is, with an icon's smaller limits.
    const auto picture = ReadPictureFile(name, MaxIconPictureSide, MaxIconPictureBytes);
    return picture ? Fit(*picture, size) : QImage();
}

} // namespace

QString DesktopEntryIconName(const QByteArray& entry)
{
    bool inEntry = false;
    for (const QByteArray& raw : entry.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('['))
            inEntry = line == "[Desktop Entry]";
        else if (inEntry && line.startsWith("Icon="))
            return NameFromNative(line.mid(5).trimmed().toStdString());
    }
    return {};
}

QImage FileContentIcon(const QString& path, int size)
{
    // Mapped rather than read: program files can be large.
    const std::optional<MappedFile> file = MappedFile::Open(path);
    return ContentIcon(file ? file->bytes() : pe::Bytes(), QFileInfo(path).suffix(), size);
}

QImage FileIcon(const QString& path, int size, const ContentIconReader& content)
{
    if ((size != 16 && size != 32) || path.isEmpty())
        return {};
    const PathKind kind = Examine(path);
    if (kind == PathKind::Missing)
        return {};
    // Folders, devices, FIFOs: never opened.
    if (kind == PathKind::Regular)
        if (const QImage img = content(path, size); !img.isNull())
            return img;
    // Otherwise the type's icon, by the name and the first bytes.
    std::vector<std::uint8_t> head;
    if (kind == PathKind::Regular)
        head = ReadFileStart(path, 4096).value_or(std::vector<std::uint8_t>());
    return MimeIcon(path, kind, pe::Bytes(head.data(), head.size()), size);
}

QImage ContentIcon(pe::Bytes data, const QString& fileSuffix, int size)
{
    const QString suffix = fileSuffix.toLower();
    std::optional<pe::IconImage> icon;
    if (data.size() >= 2 && data[0] == 'M' && data[1] == 'Z') {
        icon = pe::ReadProgramIcon(data, size);
        if (!icon)
            return ThemeIcon({QStringLiteral("application-x-executable")}, size);
    } else if (suffix == QLatin1String("ico") || suffix == QLatin1String("cur")) {
        icon = pe::ReadIconFile(data, size);
    } else if (suffix == QLatin1String("desktop")) {
        if (const QImage img = DesktopEntryIcon(data, size); !img.isNull())
            return img;
    }
    if (icon)
        return Fit(IconImageToQImage(*icon), size);
    return {};
}

void DrawFileIcon(const QString& path, Surface& surface, int size)
{
    DrawIcon(FileIcon(path, size), surface);
}

void DrawIcon(const QImage& icon, Surface& surface)
{
    surface.clear();
    if (icon.isNull())
        return;
    const Surface drawn = SurfaceFromImage(icon, surface.backColour());
    Colour* out = surface.pixels();
    for (int y = 0; y < std::min(drawn.height(), surface.height()); ++y)
        for (int x = 0; x < std::min(drawn.width(), surface.width()); ++x)
            out[std::size_t(y) * surface.width() + x] = drawn.pixel(x, y);
    surface.changed();
}

} // namespace WyciaganieIkon
