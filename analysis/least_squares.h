#pragma once

// Nonlinear least squares by Levenberg–Marquardt (Eigen's port of MINPACK's lmder), for the
// fits that have no closed form.

#include <Eigen/Dense>
#include <functional>

namespace analysis {

// The residuals at parameters p, and their Jacobian (one row per residual, one column per
// parameter) when jacobian is not null.
using Residuals = std::function<void(const Eigen::VectorXd& p, Eigen::VectorXd& residuals,
                                     Eigen::MatrixXd* jacobian)>;

struct LeastSquaresFit {
    Eigen::VectorXd parameters;
    double sumOfSquares = 0.0;
    // The parameters' standard errors from the Jacobian at the solution,
    // sqrt(diag(s²·(JᵀJ)⁻¹)) with s² = SS/(m − p); infinite where JᵀJ is singular.
    Eigen::VectorXd standardErrors;
};

// Minimises the sum of the squared residuals (count of them) from the start.
LeastSquaresFit fitLeastSquares(Eigen::Index count, const Eigen::VectorXd& start,
                                const Residuals& residuals);

} // namespace analysis
