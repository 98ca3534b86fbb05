// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingHost.h"

#include <algorithm>
#include <filesystem>

RecordingHost::RecordingHost(const std::string& source, const std::string& result, const std::string& bitrate)
    : m_job{source, result, EncodeSettings::FromText(bitrate)}
{
}

JobSpec RecordingHost::Job() const
{
    std::lock_guard lock(m_mutex);
    return m_job;
}

void RecordingHost::SetStatus(const std::string& text)
{
    std::lock_guard lock(m_mutex);
    m_statuses.push_back(text);
}

void RecordingHost::showmessage(const std::string& text)
{
    {
        std::lock_guard lock(m_mutex);
        m_lines.push_back(text);
    }
    if (onLog)
        onLog(text);
}

void RecordingHost::MessageBox(const std::string& text)
{
    std::lock_guard lock(m_mutex);
    m_messages.push_back(text);
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
    std::lock_guard lock(m_mutex);
    return std::find(m_lines.begin(), m_lines.end(), text) != m_lines.end();
}

std::vector<std::string> RecordingHost::Lines() const
{
    std::lock_guard lock(m_mutex);
    return m_lines;
}

std::vector<std::string> RecordingHost::Statuses() const
{
    std::lock_guard lock(m_mutex);
    return m_statuses;
}

std::vector<std::string> RecordingHost::Messages() const
{
    std::lock_guard lock(m_mutex);
    return m_messages;
}
