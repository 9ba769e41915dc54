// The zip module: libzip over archives held in memory.
#include "platform/zip/zipcodec.h"

#include <zip.h>

#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace platform::zip {
namespace {

QString errorText(zip_error_t* error)
{
    return QString::fromUtf8(zip_error_strerror(error));
}

QString archiveError(zip_t* archive)
{
    return errorText(zip_get_error(archive));
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
struct SourceFreer {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

// Folders and regular files only: a link or a device in a shared list is
// never something its maker meant to hand over.
bool isSpecialFile(zip_t* archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return true;
    if (system != ZIP_OPSYS_UNIX)
        return false;
    const mode_t type = (attributes >> 16) & S_IFMT;
    return type != 0 && type != S_IFREG && type != S_IFDIR;
}

bool readEntry(zip_t* archive, zip_uint64_t index, qint64 declared, QByteArray* bytes, QString* why)
{
    std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive, index, 0));
    if (!file) {
        *why = archiveError(archive);
        return false;
    }
    // The buffer grows with the data that come, not with what the headers
    // declare; one byte past the declared size tells data that run on.
    constexpr qint64 kChunk = 64 * 1024;
    bytes->clear();
    for (;;) {
        const qint64 want = std::min(kChunk, declared + 1 - bytes->size());
        if (want <= 0)
            break;
        const qsizetype at = bytes->size();
        bytes->resize(at + want);
        const zip_int64_t n = zip_fread(file.get(), bytes->data() + at, zip_uint64_t(want));
        if (n < 0) {
            *why = errorText(zip_file_get_error(file.get()));
            return false;
        }
        bytes->resize(at + n);
        if (n == 0)
            break;
    }
    if (bytes->size() != declared) {
        *why = QStringLiteral("it holds other than the %1 bytes it declares").arg(declared);
        return false;
    }
    return true;
}

class LibzipCodec final : public ZipCodec {
public:
    bool pack(const QList<ZipEntry>& entries, QByteArray* out, QString* why) const override
    {
        zip_error_t error;
        zip_error_init(&error);
        std::unique_ptr<zip_source_t, SourceFreer> buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
        if (!buffer) {
            *why = errorText(&error);
            zip_error_fini(&error);
            return false;
        }
        // The buffer outlives the archive, which writes into it on close.
        zip_source_keep(buffer.get());
        std::unique_ptr<zip_t, ArchiveCloser> archive(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error));
        if (!archive) {
            *why = errorText(&error);
            zip_error_fini(&error);
            zip_source_free(buffer.get());
            return false;
        }
        for (const ZipEntry& entry : entries) {
            const QByteArray name = entry.name.toUtf8();
            zip_int64_t index = -1;
            if (entry.folder) {
                index = zip_dir_add(archive.get(), name.constData(), ZIP_FL_ENC_UTF_8);
            } else {
                zip_source_t* data = zip_source_buffer(archive.get(), entry.bytes.constData(),
                                                       zip_uint64_t(entry.bytes.size()), 0);
                if (data) {
                    index = zip_file_add(archive.get(), name.constData(), data, ZIP_FL_ENC_UTF_8);
                    if (index < 0)
                        zip_source_free(data);
                }
            }
            const mode_t mode = entry.folder ? (S_IFDIR | 0755) : (S_IFREG | 0644);
            if (index < 0
                || zip_file_set_external_attributes(archive.get(), zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                                    zip_uint32_t(mode) << 16) != 0) {
                *why = archiveError(archive.get());
                return false;
            }
        }
        if (zip_close(archive.get()) != 0) {
            *why = archiveError(archive.get());
            return false;
        }
        archive.release();
        return takeBytes(buffer.get(), out, why);
    }

    bool unpack(QByteArrayView bytes, const ZipLimits& limits, QList<ZipEntry>* entries, QString* why) const override
    {
        entries->clear();
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), zip_uint64_t(bytes.size()), 0, &error);
        std::unique_ptr<zip_t, ArchiveCloser> archive;
        if (source) {
            archive.reset(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
            if (!archive)
                zip_source_free(source);
        }
        if (!archive) {
            *why = QStringLiteral("it is not a whole zip archive (%1)").arg(errorText(&error));
            zip_error_fini(&error);
            return false;
        }
        const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
        if (count < 0 || count > limits.maxEntries) {
            *why = QStringLiteral("it holds more than %1 entries").arg(limits.maxEntries);
            return false;
        }
        // Every entry is judged by its headers before any is read.
        QList<zip_stat_t> stats(count);
        qint64 total = 0;
        for (zip_int64_t i = 0; i < count; ++i) {
            zip_stat_t& stat = stats[i];
            if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &stat) != 0) {
                *why = archiveError(archive.get());
                return false;
            }
            if ((stat.valid & ZIP_STAT_NAME) == 0 || (stat.valid & ZIP_STAT_SIZE) == 0) {
                *why = QStringLiteral("an entry has no name or size");
                return false;
            }
            if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
                *why = QStringLiteral("\"%1\" is encrypted").arg(QString::fromUtf8(stat.name));
                return false;
            }
            if (isSpecialFile(archive.get(), zip_uint64_t(i))) {
                *why = QStringLiteral("\"%1\" is a link or a special file").arg(QString::fromUtf8(stat.name));
                return false;
            }
            if (stat.size > zip_uint64_t(limits.maxEntryBytes)) {
                *why = QStringLiteral("\"%1\" is larger than %2 bytes")
                           .arg(QString::fromUtf8(stat.name))
                           .arg(limits.maxEntryBytes);
                return false;
            }
            total += qint64(stat.size);
            if (total > limits.maxTotalBytes) {
                *why = QStringLiteral("its entries come to more than %1 bytes").arg(limits.maxTotalBytes);
                return false;
            }
        }
        for (zip_int64_t i = 0; i < count; ++i) {
            ZipEntry entry;
            entry.name = QString::fromUtf8(stats[i].name);
            entry.folder = entry.name.endsWith(u'/');
            if (!readEntry(archive.get(), zip_uint64_t(i), qint64(stats[i].size), &entry.bytes, why)) {
                *why = QStringLiteral("\"%1\" cannot be read: %2").arg(entry.name, *why);
                entries->clear();
                return false;
            }
            entries->append(std::move(entry));
        }
        return true;
    }

private:
    static bool takeBytes(zip_source_t* buffer, QByteArray* out, QString* why)
    {
        bool ok = zip_source_open(buffer) == 0;
        if (ok) {
            ok = zip_source_seek(buffer, 0, SEEK_END) == 0;
            const zip_int64_t size = ok ? zip_source_tell(buffer) : -1;
            ok = size >= 0 && zip_source_seek(buffer, 0, SEEK_SET) == 0;
            if (ok) {
                out->resize(qsizetype(size));
                ok = zip_source_read(buffer, out->data(), zip_uint64_t(size)) == size;
            }
            zip_source_close(buffer);
        }
        if (!ok)
            *why = errorText(zip_source_error(buffer));
        return ok;
    }
};

}  // namespace
}  // namespace platform::zip

extern "C" Q_DECL_EXPORT const platform::zip::ZipCodec* wordwell_zip_codec_1()
{
    static const platform::zip::LibzipCodec codec;
    return &codec;
}
