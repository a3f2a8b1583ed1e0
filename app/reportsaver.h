#pragma once

namespace platform {
struct Services;
}

namespace quizmark {

class AttemptReport;

// Keeps a report as a PDF file the candidate names, and says where it went or why it did not.
class ReportSaver
{
public:
    static void save(platform::Services& services, const AttemptReport& report);
};

} // namespace quizmark
