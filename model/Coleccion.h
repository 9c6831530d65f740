#pragma once
// Ordered collection addressed by 1-based index. Records keep their address
// while others are appended or removed, so a reference taken from it stays
// valid until that record itself is removed.

#include <cassert>
#include <cstddef>
#include <memory>
#include <vector>

namespace vortena {

template <class T>
class Coleccion {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Existe(int i) const { return i >= 1 && i <= Count(); }
    T& operator()(int i) {
        assert(Existe(i));
        return *items_[static_cast<std::size_t>(i - 1)];
    }
    const T& operator()(int i) const {
        assert(Existe(i));
        return *items_[static_cast<std::size_t>(i - 1)];
    }
    T& Agregar() {
        items_.push_back(std::make_unique<T>());
        return *items_.back();
    }
    void Quitar(int i) {
        assert(Existe(i));
        items_.erase(items_.begin() + (i - 1));
    }
    void Limpiar() { items_.clear(); }
    // Takes the record at i out, or puts one in at i (1..Count()+1), shifting
    // those after it; the record keeps its address either way. The undo
    // history moves records in and out this way.
    std::unique_ptr<T> Extraer(int i) {
        assert(Existe(i));
        std::unique_ptr<T> r = std::move(items_[static_cast<std::size_t>(i - 1)]);
        items_.erase(items_.begin() + (i - 1));
        return r;
    }
    void Insertar(int i, std::unique_ptr<T> r) {
        assert(i >= 1 && i <= Count() + 1);
        items_.insert(items_.begin() + (i - 1), std::move(r));
    }
    void Reservar(int n) { items_.reserve(static_cast<std::size_t>(n)); }

    // Iteration in index order.
    class iterator {
    public:
        using It = typename std::vector<std::unique_ptr<T>>::iterator;
        explicit iterator(It it) : it_(it) {}
        T& operator*() const { return **it_; }
        T* operator->() const { return it_->get(); }
        iterator& operator++() { ++it_; return *this; }
        bool operator==(const iterator& o) const { return it_ == o.it_; }
    private:
        It it_;
    };
    class const_iterator {
    public:
        using It = typename std::vector<std::unique_ptr<T>>::const_iterator;
        explicit const_iterator(It it) : it_(it) {}
        const T& operator*() const { return **it_; }
        const T* operator->() const { return it_->get(); }
        const_iterator& operator++() { ++it_; return *this; }
        bool operator==(const const_iterator& o) const { return it_ == o.it_; }
    private:
        It it_;
    };
    iterator begin() { return iterator(items_.begin()); }
    iterator end() { return iterator(items_.end()); }
    const_iterator begin() const { return const_iterator(items_.begin()); }
    const_iterator end() const { return const_iterator(items_.end()); }

private:
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace vortena
