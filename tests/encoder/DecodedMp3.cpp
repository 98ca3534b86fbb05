#include "DecodedMp3.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The MP3 bytes as a read-only file for mpg123.
struct MemoryFile {
    const std::vector<std::uint8_t>* bytes;
    std::size_t position;
};

mpg123_ssize_t readMemory(void* handle, void* buffer, size_t count)
{
    auto* file = static_cast<MemoryFile*>(handle);
    const std::size_t left = file->bytes->size() - file->position;
    const std::size_t taken = std::min(count, left);
    std::memcpy(buffer, file->bytes->data() + file->position, taken);
    file->position += taken;
    return static_cast<mpg123_ssize_t>(taken);
}

off_t seekMemory(void* handle, off_t offset, int whence)
{
    auto* file = static_cast<MemoryFile*>(handle);
    const off_t size = static_cast<off_t>(file->bytes->size());
    const off_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<off_t>(file->position) : size;
    const off_t target = base + offset;
    if (target < 0 || target > size) {
        return -1;
    }
    file->position = static_cast<std::size_t>(target);
    return target;
}

struct HandleCloser {
    void operator()(mpg123_handle* handle) const
    {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};

// 16-bit output at every rate, gapless trimming off so that the stream's
// full length comes out, and no messages on the console.
bool prepare(mpg123_handle* handle)
{
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    mpg123_format_none(handle);
    for (std::size_t i = 0; i < count; ++i) {
        mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    }
    return mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0) == MPG123_OK &&
           mpg123_param(handle, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0) == MPG123_OK;
}

}  // namespace

DecodedMp3::DecodedMp3(const std::vector<std::uint8_t>& mp3)
{
    mpg123_init();
    std::unique_ptr<mpg123_handle, HandleCloser> handle(mpg123_new(nullptr, nullptr));
    MemoryFile file{&mp3, 0};
    if (!handle || !prepare(handle.get()) ||
        mpg123_replace_reader_handle(handle.get(), readMemory, seekMemory, nullptr) != MPG123_OK ||
        mpg123_open_handle(handle.get(), &file) != MPG123_OK) {
        return;
    }
    for (;;) {
        off_t frameNumber = 0;
        unsigned char* audio = nullptr;
        std::size_t bytes = 0;
        const int result = mpg123_decode_frame(handle.get(), &frameNumber, &audio, &bytes);
        if (result == MPG123_NEW_FORMAT) {
            int encoding = 0;
            mpg123_getformat(handle.get(), &rate_, &channels_, &encoding);
            continue;
        }
        if (result == MPG123_DONE) {
            break;
        }
        if (result != MPG123_OK) {
            return;
        }
        const auto* samples = reinterpret_cast<const std::int16_t*>(audio);
        pcm_.insert(pcm_.end(), samples, samples + bytes / sizeof(std::int16_t));
        mpg123_frameinfo2 info{};
        mpg123_info2(handle.get(), &info);
        frames_.push_back(Frame{info.rate, info.bitrate, info.mode, info.flags, info.emphasis});
    }
    ok_ = channels_ > 0 && !frames_.empty();
}

std::size_t DecodedMp3::length() const
{
    return channels_ > 0 ? pcm_.size() / static_cast<std::size_t>(channels_) : 0;
}

std::vector<std::int16_t> DecodedMp3::channel(int index) const
{
    std::vector<std::int16_t> samples;
    for (std::size_t i = static_cast<std::size_t>(index); i < pcm_.size(); i += static_cast<std::size_t>(channels_)) {
        samples.push_back(pcm_[i]);
    }
    return samples;
}
