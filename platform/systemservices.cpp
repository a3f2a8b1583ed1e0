#include "systemservices.h"

namespace platform {

SystemServices::SystemServices(const QString& title)
    : m_messages(title)
    , m_services{ m_files, m_settings, m_messages, m_random, m_web, m_programs, m_programDirectory,
                  m_wait,  m_printer,  m_registry, m_clock }
{
}

}
