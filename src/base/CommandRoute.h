// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CommandTarget;

// The road a command takes: the active view first, then the frame, then the
// application object. The first link that takes the command handles it and
// alone decides whether it is enabled; a command that nobody takes is
// disabled. Links are not owned and may be empty.
class CommandRoute {
public:
    void SetView(CommandTarget* view) { m_view = view; }
    void SetFrame(CommandTarget* frame) { m_frame = frame; }
    void SetApplication(CommandTarget* application) { m_application = application; }

    CommandTarget* View() const { return m_view; }

    // The first link that takes `id`, or nullptr.
    CommandTarget* Handler(int id) const;
    bool Enabled(int id) const;
    // Carries `id` out when it is taken and enabled; false otherwise.
    bool Execute(int id);

private:
    CommandTarget* m_view = nullptr;
    CommandTarget* m_frame = nullptr;
    CommandTarget* m_application = nullptr;
};
