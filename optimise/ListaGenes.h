#pragma once
// A candidate's genes: 16-bit counts addressed from 1, replaced in place so
// their order never changes.

#include <cassert>
#include <cstdint>
#include <vector>

namespace vortena {

class ListaGenes {
public:
    int Count() const { return static_cast<int>(v_.size()); }
    std::int16_t operator()(int k) const {
        assert(k >= 1 && k <= Count());
        return v_[static_cast<std::size_t>(k - 1)];
    }
    void Agregar(std::int16_t valor) { v_.push_back(valor); }
    void Reemplazar(int k, std::int16_t valor) {
        assert(k >= 1 && k <= Count());
        v_[static_cast<std::size_t>(k - 1)] = valor;
    }
    bool operator==(const ListaGenes&) const = default;

    const std::vector<std::int16_t>& valores() const { return v_; }
    std::vector<std::int16_t>& valores() { return v_; }

private:
    std::vector<std::int16_t> v_;
};

}  // namespace vortena
