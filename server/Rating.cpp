#include "Rating.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace server {
namespace {

// The Glicko-2 scale: (rating - 1500) / 173.7178.
constexpr double kScale = 173.7178;
// Convergence of the volatility iteration.
constexpr double kEpsilon = 0.000001;
// An upper bound on iterations: the Illinois method converges in a handful,
// the bound only guards against a NaN that never narrows the bracket.
constexpr int kMaxIterations = 100;

double G(double phi) { return 1.0 / std::sqrt(1.0 + 3.0 * phi * phi / (std::numbers::pi * std::numbers::pi)); }

double Expected(double mu, double muJ, double phiJ) { return 1.0 / (1.0 + std::exp(-G(phiJ) * (mu - muJ))); }

struct Period {
    double variance = 0;  // v: the estimated variance from the games alone
    double sum = 0;       // sum of g(phi_j) (s_j - E_j)
};

Period Summarise(double mu, const std::vector<GlickoGame>& games) {
    double inverseVariance = 0;
    Period p;
    for (const GlickoGame& game : games) {
        double muJ = (game.opponent.rating - Glicko::kNewRating) / kScale;
        double phiJ = game.opponent.deviation / kScale;
        double g = G(phiJ), e = Expected(mu, muJ, phiJ);
        inverseVariance += g * g * e * (1 - e);
        p.sum += g * (game.score - e);
    }
    p.variance = 1.0 / inverseVariance;
    return p;
}

// The new volatility: the root of f by the Illinois variant of regula falsi.
double NewVolatility(double phi, double sigma, double variance, double delta, double tau) {
    const double a = std::log(sigma * sigma);
    auto f = [&](double x) {
        double ex = std::exp(x);
        double d = phi * phi + variance + ex;
        return ex * (delta * delta - phi * phi - variance - ex) / (2 * d * d) - (x - a) / (tau * tau);
    };
    double lo = a, hi;
    if (delta * delta > phi * phi + variance) {
        hi = std::log(delta * delta - phi * phi - variance);
    } else {
        int k = 1;
        while (f(a - k * tau) < 0 && k < kMaxIterations) ++k;
        hi = a - k * tau;
    }
    double fLo = f(lo), fHi = f(hi);
    for (int i = 0; i < kMaxIterations && std::fabs(hi - lo) > kEpsilon; ++i) {
        double c = lo + (lo - hi) * fLo / (fHi - fLo);
        double fC = f(c);
        if (fC * fHi <= 0) {
            lo = hi;
            fLo = fHi;
        } else {
            fLo /= 2;
        }
        hi = c;
        fHi = fC;
    }
    return std::exp(lo / 2);
}

}  // namespace

int64_t Glicko::Whole() const { return static_cast<int64_t>(std::llround(rating)); }
int64_t Glicko::Hundredths() const { return static_cast<int64_t>(std::llround(rating * 100)); }

Glicko RateGlicko2(const Glicko& player, const std::vector<GlickoGame>& games, double tau) {
    const double mu = (player.rating - Glicko::kNewRating) / kScale;
    const double phi = player.deviation / kScale;
    Glicko next = player;
    if (games.empty()) {
        double grown = std::sqrt(phi * phi + player.volatility * player.volatility) * kScale;
        next.deviation = std::min(grown, Glicko::kNewDeviation);
        return next;
    }
    Period p = Summarise(mu, games);
    double sigma = NewVolatility(phi, player.volatility, p.variance, p.variance * p.sum, tau);
    double phiStar = std::sqrt(phi * phi + sigma * sigma);
    double phiNew = 1.0 / std::sqrt(1.0 / (phiStar * phiStar) + 1.0 / p.variance);
    double muNew = mu + phiNew * phiNew * p.sum;
    next.rating = muNew * kScale + Glicko::kNewRating;
    next.deviation = std::min(phiNew * kScale, Glicko::kNewDeviation);
    next.volatility = sigma;
    return next;
}

}  // namespace server
