// Gaussian elimination over Z/K. K = 4 is not a field; pivots of least 2-adic valuation keep the
// elimination exact there (every other entry of the remaining block is a multiple of the pivot's
// power of two), so one routine serves K = 2, 3, 4 and 5.
#include "tests/support/Solver.h"

#include <optional>
#include <utility>

namespace {

int Mod(int v, int m) { return ((v % m) + m) % m; }

// The power of K's prime in a (reduced mod K): 2 for a = 2 when K = 4, else 1; 0 is no pivot.
int Scale(int a, int m) { return a == 0 ? 1000 : m == 4 && a == 2 ? 2 : 1; }

int Inverse(int u, int m) {
    for (int i = 1; i < m; ++i)
        if (Mod(u * i, m) == 1) return i;
    return -1;
}

// Solves A x = b (mod m) for a square A.
std::optional<std::vector<int>> SolveMod(std::vector<std::vector<int>> a, std::vector<int> b, int m) {
    const int n = static_cast<int>(a.size());
    std::vector<int> column(n), permuted(n, 0), x(n);  // free unknowns stay 0
    for (int j = 0; j < n; ++j) column[j] = j;
    int rank = 0;
    for (; rank < n; ++rank) {
        int bi = -1, bj = -1, best = 1000;
        for (int i = rank; i < n; ++i)
            for (int j = rank; j < n; ++j)
                if (Scale(a[i][j], m) < best) best = Scale(a[i][j], m), bi = i, bj = j;
        if (bi < 0) break;
        std::swap(a[rank], a[bi]);
        std::swap(b[rank], b[bi]);
        for (auto& row : a) std::swap(row[rank], row[bj]);
        std::swap(column[rank], column[bj]);
        const int unitInverse = Inverse(a[rank][rank] / best, m);
        for (int i = rank + 1; i < n; ++i) {
            const int f = Mod(a[i][rank] / best * unitInverse, m);
            for (int j = rank; j < n; ++j) a[i][j] = Mod(a[i][j] - f * a[rank][j], m);
            b[i] = Mod(b[i] - f * b[rank], m);
        }
    }
    for (int i = rank; i < n; ++i)
        if (b[i] != 0) return std::nullopt;
    for (int r = rank - 1; r >= 0; --r) {
        int rest = b[r];
        for (int j = r + 1; j < n; ++j) rest -= a[r][j] * permuted[j];
        rest = Mod(rest, m);
        const int scale = Scale(a[r][r], m);
        if (rest % scale != 0) return std::nullopt;
        permuted[r] = Mod(rest / scale * Inverse(a[r][r] / scale, m), m);
    }
    for (int j = 0; j < n; ++j) x[column[j]] = permuted[j];
    return x;
}

}  // namespace

std::vector<Move> SolveBoard(const CPuzzleGame& game) {
    const int n = game.m_nSize, k = game.m_nColors, cells = n * n;
    CPuzzleGame probe = game;
    probe.m_hWndOwner = nullptr, probe.m_bFrozen = TRUE;
    std::vector<std::vector<int>> a(cells, std::vector<int>(cells, 0));
    for (int press = 0; press < cells; ++press) {
        for (BYTE& c : probe.m_Board) c = 0;
        probe.Press(press / n, press % n);
        for (int cell = 0; cell < cells; ++cell) a[cell][press] = probe.GetCell(cell / n, cell % n);
    }
    std::vector<Move> moves;
    for (int target = 0; target < k && moves.empty(); ++target) {
        std::vector<int> b(cells);
        for (int cell = 0; cell < cells; ++cell) b[cell] = Mod(target - game.GetCell(cell / n, cell % n), k);
        if (auto x = SolveMod(a, b, k))
            for (int press = 0; press < cells; ++press) moves.insert(moves.end(), (*x)[press], Move{press / n, press % n});
    }
    return moves;
}
