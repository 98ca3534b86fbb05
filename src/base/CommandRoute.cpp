// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CommandRoute.h"

#include "base/CommandTarget.h"

#include <initializer_list>

CommandTarget* CommandRoute::Handler(int id) const
{
    for (CommandTarget* link : {m_view, m_frame, m_application}) {
        if (link && link->TakesCommand(id))
            return link;
    }
    return nullptr;
}

bool CommandRoute::Enabled(int id) const
{
    const CommandTarget* handler = Handler(id);
    return handler && handler->CommandEnabled(id);
}

bool CommandRoute::Execute(int id)
{
    CommandTarget* handler = Handler(id);
    if (!handler || !handler->CommandEnabled(id))
        return false;
    handler->OnCommand(id);
    return true;
}
