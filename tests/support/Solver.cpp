// Gaussian elimination over Z/K. K = 4 is not a field; pivots of least 2-adic valuation keep the
// elimination exact there (every other entry of the remaining block is a multiple of the pivot's
// power of two), so one routine serves K = 2, 3, 4 and 5.
#include "tests/support/Solver.h"

#include <utility>

namespace {

int Mod(long long v, int m) { return static_cast<int>(((v % m) + m) % m); }

// K = 4 = 2^2; the others are prime.
int PrimeOf(int m) { return m == 4 ? 2 : m; }

int Valuation(int a, int m) {
    if (a == 0) return 1000;
    int p = PrimeOf(m), v = 0;
    while (a % p == 0) {
        a /= p;
        ++v;
    }
    return v;
}

int Inverse(int u, int m) {
    for (int i = 1; i < m; ++i)
        if (Mod(static_cast<long long>(u) * i, m) == 1) return i;
    return -1;
}

int Power(int p, int v) {
    int r = 1;
    while (v-- > 0) r *= p;
    return r;
}

// Solves A x = b (mod m); A is rows x cols.
std::optional<std::vector<int>> SolveMod(std::vector<std::vector<int>> a, std::vector<int> b, int m) {
    const int rows = static_cast<int>(a.size()), cols = static_cast<int>(a[0].size());
    const int p = PrimeOf(m);
    std::vector<int> column(cols);
    for (int j = 0; j < cols; ++j) column[j] = j;

    int rank = 0;
    for (; rank < rows && rank < cols; ++rank) {
        int bi = -1, bj = -1, best = 1000;
        for (int i = rank; i < rows; ++i)
            for (int j = rank; j < cols; ++j)
                if (int v = Valuation(a[i][j], m); v < best) best = v, bi = i, bj = j;
        if (bi < 0) break;
        std::swap(a[rank], a[bi]);
        std::swap(b[rank], b[bi]);
        for (auto& row : a) std::swap(row[rank], row[bj]);
        std::swap(column[rank], column[bj]);

        const int scale = Power(p, best);
        const int unitInverse = Inverse(a[rank][rank] / scale, m);
        for (int i = rank + 1; i < rows; ++i) {
            if (a[i][rank] == 0) continue;
            const int f = Mod(static_cast<long long>(a[i][rank] / scale) * unitInverse, m);
            for (int j = rank; j < cols; ++j) a[i][j] = Mod(a[i][j] - static_cast<long long>(f) * a[rank][j], m);
            b[i] = Mod(b[i] - static_cast<long long>(f) * b[rank], m);
        }
    }
    for (int i = rank; i < rows; ++i)
        if (b[i] != 0) return std::nullopt;

    std::vector<int> permuted(cols, 0);  // free unknowns stay 0
    for (int r = rank - 1; r >= 0; --r) {
        long long s = b[r];
        for (int j = r + 1; j < cols; ++j) s -= static_cast<long long>(a[r][j]) * permuted[j];
        const int rest = Mod(s, m);
        const int v = Valuation(a[r][r], m), scale = Power(p, v);
        if (rest % scale != 0) return std::nullopt;
        permuted[r] = Mod(static_cast<long long>(rest / scale) * Inverse(a[r][r] / scale, m), m);
    }
    std::vector<int> x(cols);
    for (int j = 0; j < cols; ++j) x[column[j]] = permuted[j];
    return x;
}

}  // namespace

std::optional<std::vector<Move>> SolveBoard(const CPuzzleGame& game) {
    const int n = game.m_nSize, k = game.m_nColors, cells = n * n;
    CPuzzleGame probe = game;
    probe.m_hWndOwner = nullptr;
    probe.m_bFrozen = TRUE;

    std::vector<std::vector<int>> a(cells, std::vector<int>(cells, 0));
    for (int press = 0; press < cells; ++press) {
        for (BYTE& c : probe.m_Board) c = 0;
        probe.Press(press / n, press % n);
        for (int cell = 0; cell < cells; ++cell) a[cell][press] = probe.GetCell(cell / n, cell % n);
    }
    for (int target = 0; target < k; ++target) {
        std::vector<int> b(cells);
        for (int cell = 0; cell < cells; ++cell) b[cell] = Mod(target - game.GetCell(cell / n, cell % n), k);
        auto x = SolveMod(a, b, k);
        if (!x) continue;
        std::vector<Move> moves;
        for (int press = 0; press < cells; ++press)
            for (int t = 0; t < (*x)[press]; ++t) moves.push_back({press / n, press % n});
        return moves;
    }
    return std::nullopt;
}
