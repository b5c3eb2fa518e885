#include "barcodes/pdf417Tables.h"

#include <vector>

namespace pdf417 {

namespace {

// Generator polynomial (x - 3)(x - 3^2)...(x - 3^k) over GF(929), lowest power first.
std::vector<int> generatorPolynomial(int count)
{
    std::vector<int> polynomial{1};
    int root = 1;
    for (int i = 0; i < count; ++i) {
        root = root * 3 % CODEWORD_VALUES;
        std::vector<int> product(polynomial.size() + 1, 0);
        for (size_t j = 0; j < polynomial.size(); ++j) {
            product[j + 1] = (product[j + 1] + polynomial[j]) % CODEWORD_VALUES;
            product[j] = (product[j] + CODEWORD_VALUES - polynomial[j] * root % CODEWORD_VALUES) % CODEWORD_VALUES;
        }
        polynomial = std::move(product);
    }
    polynomial.pop_back(); // the leading 1
    return polynomial;
}

} // namespace

std::span<const int> ERROR_LEVEL(int level)
{
    // Computed once, on first use; C++ guarantees that initialisation is thread-safe.
    static const std::array<std::vector<int>, MAX_ERROR_LEVEL + 1> tables = [] {
        std::array<std::vector<int>, MAX_ERROR_LEVEL + 1> result;
        for (int i = 0; i <= MAX_ERROR_LEVEL; ++i)
            result[size_t(i)] = generatorPolynomial(2 << i);
        return result;
    }();
    if (level < 0 || level > MAX_ERROR_LEVEL)
        return {};
    return tables[size_t(level)];
}

} // namespace pdf417
