#include "common/shell/settings_file.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/analysis/text_utils.h"
#include "common/shell/settings_range.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/process.h"

SettingsRecord::SettingsRecord(const SettingsProfile& profile)
    : profile_(&profile), bytes_(static_cast<size_t>(std::max(profile.size, 0)), 0) {}

bool SettingsRecord::can_access(int offset, int width) const {
    return offset >= 0 && width >= 0 && static_cast<size_t>(offset) + static_cast<size_t>(width) <= bytes_.size();
}

// Offset of one slot of a field and its width; -1 when the slot does not exist.
int SettingsRecord::slot_offset(const SettingsField& field, int slot, int* slot_width) const {
    const int slots = std::max<int>(field.slots, 1);
    if (slot < 0 || slot >= slots) return -1;
    const int width = field.width / slots;
    if (!can_access(field.offset + slot * width, width)) return -1;
    *slot_width = width;
    return field.offset + slot * width;
}

int SettingsRecord::word(const SettingsField& field, int slot) const {
    int width = 0;
    const int at = slot_offset(field, slot, &width);
    if (at < 0 || width < 2) return 0;
    return bytes_[at] | (bytes_[at + 1] << 8);
}

int settings_word_in_range(const SettingsRecord& record, const SettingsField& field, int slot) {
    const int value = record.word(field, slot);
    if (field.max < field.min) return value;
    return std::clamp(value, static_cast<int>(field.min), static_cast<int>(field.max));
}

void SettingsRecord::set_word(const SettingsField& field, int value, int slot) {
    int width = 0;
    const int at = slot_offset(field, slot, &width);
    if (at < 0 || width < 2) return;
    const auto u = static_cast<uint16_t>(value);
    bytes_[at] = static_cast<uint8_t>(u & 0xFF);
    bytes_[at + 1] = static_cast<uint8_t>(u >> 8);
}

std::string SettingsRecord::text(const SettingsField& field, int slot) const {
    int width = 0;
    const int at = slot_offset(field, slot, &width);
    if (at < 0) return {};
    const char* start = reinterpret_cast<const char*>(bytes_.data() + at);
    if (field.kind == SettingsFieldKind::Tag) return std::string(start, width);
    // A field without its zero is read to the width less one byte, the
    // room a text of that field ever has.
    const int limit = std::max(width - 1, 0);
    const void* zero = std::memchr(start, 0, limit);
    const int length = zero ? static_cast<int>(static_cast<const char*>(zero) - start) : limit;
    // The cut is judged on the whole slot, so that a lead byte whose trail
    // lies beyond the cut is dropped rather than left alone.
    return std::string(start, char_boundary_at_or_before(std::string_view(start, width), length));
}

bool SettingsRecord::set_text(const SettingsField& field, std::string_view text, int slot) {
    int width = 0;
    const int at = slot_offset(field, slot, &width);
    if (at < 0) return false;
    const size_t zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);
    if (field.kind == SettingsFieldKind::Tag) {
        if (static_cast<int>(text.size()) != width) return false;
    } else if (static_cast<int>(text.size()) > width - 1) {
        return false;
    }
    std::fill(bytes_.begin() + at, bytes_.begin() + at + width, 0);
    if (!text.empty()) std::memcpy(bytes_.data() + at, text.data(), text.size());
    return true;
}

void SettingsRecord::set_text_cut(const SettingsField& field, std::string_view text, int slot) {
    int width = 0;
    if (slot_offset(field, slot, &width) < 0) return;
    const size_t zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);
    if (field.kind != SettingsFieldKind::Tag && static_cast<int>(text.size()) > width - 1)
        text = text.substr(0, char_boundary_at_or_before(text, std::max(width - 1, 0)));
    set_text(field, text, slot);
}

void SettingsRecord::set_standard_values() {
    if (!profile_) return;
    std::fill(bytes_.begin(), bytes_.end(), 0);
    for (const SettingsField& f : profile_->fields) {
        switch (f.kind) {
        case SettingsFieldKind::Tag:
        case SettingsFieldKind::Text:
            set_text(f, f.standard_text);
            break;
        case SettingsFieldKind::Word:
            set_word(f, f.standard[0]);
            break;
        case SettingsFieldKind::WordPair:
            set_word(f, f.standard[0], 0);
            set_word(f, f.standard[1], 1);
            break;
        case SettingsFieldKind::Colour:
            if (can_access(f.offset, 3)) {
                for (int i = 0; i < 3; ++i) bytes_[f.offset + i] = static_cast<uint8_t>(f.standard[i]);
            }
            break;
        case SettingsFieldKind::Reserved:
        case SettingsFieldKind::TextSlots:
            break;
        }
    }
}

std::vector<uint8_t> build_standard_settings(const SettingsProfile& profile) {
    SettingsRecord record(profile);
    record.set_standard_values();
    return std::vector<uint8_t>(record.bytes().begin(), record.bytes().end());
}

std::string settings_file_path(const SettingsProfile& profile, std::string_view directory) {
    std::string path(directory);
    path += '\\';
    path += profile.file_name;
    return path;
}

namespace {

const SettingsWriterCalls kKernelCalls = {crt_write, crt_close, crt_rename};
const SettingsWriterCalls* g_writer_calls = &kKernelCalls;

bool in_range(const SettingsField& f, int value) { return f.max < f.min || (value >= f.min && value <= f.max); }

// Index fields out of range take their standard value, so that nothing that
// reads the record afterwards picks an entry that does not exist.
void repair_index_fields(SettingsRecord& record, std::vector<std::string>* repaired) {
    for (const SettingsField& f : record.profile()->fields) {
        if (!f.indexes) continue;
        const int slots = f.kind == SettingsFieldKind::WordPair ? 2 : 1;
        for (int slot = 0; slot < slots; ++slot) {
            if (in_range(f, record.word(f, slot))) continue;
            record.set_word(f, f.standard[slot], slot);
            if (repaired) repaired->push_back(f.name);
        }
    }
}

// Reads until `size` bytes are in or the file ends; -1 on a read error.
int read_fully(int fd, uint8_t* buffer, int size) {
    int done = 0;
    while (done < size) {
        const int n = crt_read(fd, buffer + done, static_cast<unsigned>(size - done));
        if (n < 0) return -1;
        if (n == 0) break;
        done += n;
    }
    return done;
}

}  // namespace

int read_settings_file(SettingsRecord& record, std::string_view directory, SettingsReadInfo* info) {
    const SettingsProfile* profile = record.profile();
    if (!profile) return kSettingsCannotOpen;
    if (info) *info = SettingsReadInfo{};
    const std::string path = settings_file_path(*profile, directory);
    const int fd = crt_open(path.c_str(), CRT_O_RDONLY | CRT_O_BINARY);
    if (fd < 0) return kSettingsCannotOpen;

    std::vector<uint8_t> buffer(record.bytes().size());
    const int got = read_fully(fd, buffer.data(), static_cast<int>(buffer.size()));
    uint8_t extra = 0;
    const bool longer = got == static_cast<int>(buffer.size()) && crt_read(fd, &extra, 1) > 0;
    crt_close(fd);
    if (got <= 0) return kSettingsNoBytes;

    std::copy(buffer.begin(), buffer.begin() + got, record.bytes().begin());
    if (profile->printer_kind) record.set_word(*profile->printer_kind, 1);
    repair_index_fields(record, info ? &info->repaired : nullptr);
    if (info) {
        info->bytes_read = got;
        info->longer_than_record = longer;
    }
    return kSettingsOk;
}

int write_settings_file(const SettingsRecord& record, std::string_view directory) {
    const SettingsProfile* profile = record.profile();
    if (!profile) return kSettingsCannotOpen;
    const std::string path = settings_file_path(*profile, directory);
    // each process writes its own temporary: two copies of a program that
    // save at once never write into the same file
    std::string temporary(directory);
    temporary += '\\';
    temporary += profile->temporary_name;
    temporary += '.';
    temporary += std::to_string(crt_getpid());

    // A settings file that cannot be written to (made read-only) stays as
    // it is, though the rename below could replace it.
    // (A link there is replaced by the new file, never written through.)
    if (crt_exists(path.c_str()) && !crt_can_create(path.c_str())) return kSettingsCannotOpen;
    const int fd = crt_open(temporary.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC | CRT_O_BINARY, 0666);
    if (fd < 0) return kSettingsCannotOpen;
    const auto size = static_cast<unsigned>(record.bytes().size());
    const int written = g_writer_calls->write(fd, record.bytes().data(), size);
    const int closed = g_writer_calls->close(fd);
    if (written < 0 || static_cast<unsigned>(written) != size || closed != 0 ||
        g_writer_calls->rename(temporary.c_str(), path.c_str()) != 0) {
        crt_remove(temporary.c_str());
        return kSettingsNoBytes;
    }
    return kSettingsOk;
}

void remove_stale_settings_temporaries(const SettingsProfile& profile, std::string_view directory) {
    std::vector<FolderEntry> entries;
    const std::string folder(directory);
    if (!crt_list_folder(folder.c_str(), entries)) return;
    const std::string start = std::string(profile.temporary_name) + ".";
    for (const FolderEntry& entry : entries) {
        const std::string& name = entry.name;
        if (entry.folder || name.size() <= start.size() || name.size() > start.size() + 9 ||
            name.compare(0, start.size(), start) != 0)
            continue;
        const std::string digits = name.substr(start.size());
        if (digits.find_first_not_of("0123456789") != std::string::npos) continue;
        const int pid = std::stoi(digits);
        if (pid != crt_getpid() && !crt_process_runs(pid)) crt_remove((folder + "\\" + name).c_str());
    }
}

SettingsIdentity check_settings_identity(const SettingsRecord& record) {
    const SettingsProfile* profile = record.profile();
    if (!profile) return SettingsIdentity::WrongSignature;
    if (!profile->signature || record.text(*profile->signature) != profile->signature->standard_text)
        return SettingsIdentity::WrongSignature;
    if (!profile->version || record.text(*profile->version) != profile->version->standard_text)
        return SettingsIdentity::WrongVersion;
    return SettingsIdentity::Ok;
}

int reread_settings_for_open(SettingsRecord& record, std::string_view directory) {
    if (read_settings_file(record, directory) != kSettingsOk) return kOpenSettingsUnreadable;
    if (check_settings_identity(record) != SettingsIdentity::Ok) return kOpenSettingsWrongVersion;
    return 0;
}

namespace {
SettingsRecord g_shell_settings;
}

SettingsRecord& shell_settings() { return g_shell_settings; }

void reset_shell_settings(const SettingsProfile& profile) { g_shell_settings = SettingsRecord(profile); }

void set_settings_writer_calls(const SettingsWriterCalls* calls) { g_writer_calls = calls ? calls : &kKernelCalls; }
