// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Included only by the engine's own .cpp files that decode with FFmpeg.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/encryption_info.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <string>

// The FFmpeg functions the engine calls.
#define VORLANTA_FFMPEG_FUNCTIONS(X)                                                                                   \
    X(av_channel_layout_copy)                                                                                          \
    X(av_channel_layout_default)                                                                                       \
    X(av_channel_layout_uninit)                                                                                        \
    X(av_find_input_format)                                                                                            \
    X(av_frame_alloc)                                                                                                  \
    X(av_frame_free)                                                                                                   \
    X(av_frame_unref)                                                                                                  \
    X(av_free)                                                                                                         \
    X(av_freep)                                                                                                        \
    X(av_log_set_level)                                                                                                \
    X(av_malloc)                                                                                                       \
    X(av_packet_alloc)                                                                                                 \
    X(av_packet_free)                                                                                                  \
    X(av_packet_get_side_data)                                                                                         \
    X(av_packet_unref)                                                                                                 \
    X(av_read_frame)                                                                                                   \
    X(av_strdup)                                                                                                       \
    X(av_stream_get_side_data)                                                                                         \
    X(av_strerror)                                                                                                     \
    X(avcodec_alloc_context3)                                                                                          \
    X(avcodec_find_decoder)                                                                                            \
    X(avcodec_free_context)                                                                                            \
    X(avcodec_get_name)                                                                                                \
    X(avcodec_open2)                                                                                                   \
    X(avcodec_parameters_to_context)                                                                                   \
    X(avcodec_receive_frame)                                                                                           \
    X(avcodec_send_packet)                                                                                             \
    X(avformat_alloc_context)                                                                                          \
    X(avformat_close_input)                                                                                            \
    X(avformat_open_input)                                                                                             \
    X(avio_alloc_context)                                                                                              \
    X(avio_context_free)                                                                                               \
    X(avio_feof)                                                                                                       \
    X(swr_alloc_set_opts2)                                                                                             \
    X(swr_convert)                                                                                                     \
    X(swr_free)                                                                                                        \
    X(swr_get_out_samples)                                                                                             \
    X(swr_init)

// FFmpeg's libraries, loaded the first time a source in another format is
// opened rather than linked: they and the hundred libraries they pull in
// took about 40 ms at every start of the program, MP3 sources or not.
// The libraries are those of the headers the engine was built with (the
// same major versions, so the same ABI), found the way the dynamic linker
// finds any library. Once loaded they stay for the life of the process, as
// linked libraries would.
struct FfmpegLibraries {
#define VORLANTA_FFMPEG_POINTER(name) decltype(&::name) name = nullptr;
    VORLANTA_FFMPEG_FUNCTIONS(VORLANTA_FFMPEG_POINTER)
#undef VORLANTA_FFMPEG_POINTER

    // The loaded functions, or null when a library or function is missing;
    // then `problem` says which (the loader's own text). Thread-safe.
    static const FfmpegLibraries* Load(std::string& problem);
};
