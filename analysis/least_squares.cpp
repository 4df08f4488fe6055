#include "least_squares.h"

#include <cmath>
#include <limits>
#include <unsupported/Eigen/NonLinearOptimization>

namespace analysis {

namespace {

constexpr double kPoorResidual = 1e100;

// The functor shape Eigen's LevenbergMarquardt expects.
struct Functor {
    using Scalar = double;
    enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };
    using InputType = Eigen::VectorXd;
    using ValueType = Eigen::VectorXd;
    using JacobianType = Eigen::MatrixXd;

    const Residuals& residuals;
    Eigen::Index parameters;
    Eigen::Index count;

    Eigen::Index inputs() const { return parameters; }
    Eigen::Index values() const { return count; }
    int operator()(const Eigen::VectorXd& p, Eigen::VectorXd& r) const {
        residuals(p, r, nullptr);
        // A step into parameters the model cannot evaluate counts as a very poor one, so the
        // search shortens its step instead of stopping.
        for (double& value : r)
            if (!std::isfinite(value))
                value = kPoorResidual;
        return 0;
    }
    int df(const Eigen::VectorXd& p, Eigen::MatrixXd& jacobian) const {
        Eigen::VectorXd r(count);
        residuals(p, r, &jacobian);
        return jacobian.allFinite() ? 0 : -1;
    }
};

// s²·(JᵀJ)⁻¹ = s²·(RᵀR)⁻¹ through the QR of J, not JᵀJ, so a poorly scaled Jacobian keeps its
// digits. A full-rank Jacobian only.
Eigen::VectorXd fullRankErrors(const Eigen::MatrixXd& jacobian, double variance) {
    const Eigen::Index p = jacobian.cols();
    const Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(jacobian);
    const Eigen::MatrixXd r = qr.matrixR().topLeftCorner(p, p).triangularView<Eigen::Upper>();
    const Eigen::MatrixXd rInverse =
        r.triangularView<Eigen::Upper>().solve(Eigen::MatrixXd::Identity(p, p));
    const Eigen::MatrixXd covariance = qr.colsPermutation() * (rInverse * rInverse.transpose()) *
                                       qr.colsPermutation().transpose() * variance;
    return covariance.diagonal().cwiseSqrt();
}

// A parameter that moves no residual (a shunt too large to matter) has no error of its own; it
// gets an infinite one, and the others are taken without it.
Eigen::VectorXd standardErrors(const Eigen::MatrixXd& jacobian, double sumOfSquares) {
    const Eigen::Index m = jacobian.rows();
    const Eigen::Index p = jacobian.cols();
    Eigen::VectorXd errors = Eigen::VectorXd::Constant(p, std::numeric_limits<double>::infinity());
    const Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(jacobian);
    const Eigen::Index rank = qr.rank();
    if (rank == 0 || m <= rank)
        return errors;
    Eigen::MatrixXd kept(m, rank);
    for (Eigen::Index k = 0; k < rank; ++k)
        kept.col(k) = jacobian.col(qr.colsPermutation().indices()[k]);
    const Eigen::VectorXd keptErrors =
        fullRankErrors(kept, sumOfSquares / static_cast<double>(m - rank));
    for (Eigen::Index k = 0; k < rank; ++k)
        errors[qr.colsPermutation().indices()[k]] = keptErrors[k];
    return errors;
}

} // namespace

LeastSquaresFit fitLeastSquares(Eigen::Index count, const Eigen::VectorXd& start,
                                const Residuals& residuals) {
    Functor functor{residuals, start.size(), count};
    Eigen::LevenbergMarquardt<Functor> solver(functor);
    solver.parameters.maxfev = 400;
    solver.parameters.ftol = 1e-12;
    solver.parameters.xtol = 1e-12;
    LeastSquaresFit fit;
    fit.parameters = start;
    solver.minimize(fit.parameters);
    Eigen::VectorXd r(count);
    Eigen::MatrixXd jacobian(count, start.size());
    residuals(fit.parameters, r, &jacobian);
    fit.sumOfSquares = r.squaredNorm();
    fit.standardErrors = standardErrors(jacobian, fit.sumOfSquares);
    return fit;
}

} // namespace analysis
