#pragma once
// The one failure of reading or writing a network file or the report. The
// commands turn it into the user's message box; the text says what went
// wrong for logs and the batch tool.

#include <stdexcept>
#include <string>

namespace vortena {

class ErrorArchivo : public std::runtime_error {
public:
    explicit ErrorArchivo(const std::string& motivo) : std::runtime_error(motivo) {}
};

}  // namespace vortena
