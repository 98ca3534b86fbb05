// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingHost.h"

#include <algorithm>
#include <filesystem>

RecordingHost::RecordingHost(const std::string& source, const std::string& result, const std::string& bitrate)
    : job_{source, result, EncodeSettings::FromText(bitrate)}
{
}

JobSpec RecordingHost::Job() const
{
    std::lock_guard lock(mutex_);
    return job_;
}

void RecordingHost::SetStatus(const std::string& text)
{
    std::lock_guard lock(mutex_);
    statuses_.push_back(text);
}

void RecordingHost::showmessage(const std::string& text)
{
    {
        std::lock_guard lock(mutex_);
        lines_.push_back(text);
    }
    if (onLog)
        onLog(text);
}

void RecordingHost::MessageBox(const std::string& text)
{
    std::lock_guard lock(mutex_);
    messages_.push_back(text);
}

ConversionHost RecordingHost::Host(const std::string& encoderFolder)
{
    return ConversionHost{*this, *this, *this, encoderFolder};
}

std::string RecordingHost::ProgramFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

bool RecordingHost::Logged(const std::string& text) const
{
    std::lock_guard lock(mutex_);
    return std::find(lines_.begin(), lines_.end(), text) != lines_.end();
}

std::vector<std::string> RecordingHost::Lines() const
{
    std::lock_guard lock(mutex_);
    return lines_;
}

std::vector<std::string> RecordingHost::Statuses() const
{
    std::lock_guard lock(mutex_);
    return statuses_;
}

std::vector<std::string> RecordingHost::Messages() const
{
    std::lock_guard lock(mutex_);
    return messages_;
}
