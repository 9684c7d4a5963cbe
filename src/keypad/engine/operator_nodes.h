// Operator nodes of the keypad calculator.
//
// The calculator never parses a finished expression: every accepted operator key creates a
// node at once, which takes the value standing in the display and links itself to the node
// before it by priority (LinkOperator). A node followed by one of the same or lower priority
// is computed at once; one followed by a higher priority waits (Pending) until a later node
// resolves it. Every computation shows its result straight away, so the user sees running
// intermediate results.
#pragma once

#include "common/real_functions.h"
#include "keypad/engine/operator_table.h"

#include <memory>

enum class AngleMode { Degrees = 0, Radians = 1, Grads = 2 };

// Arithmetic error numbers reported by the nodes.
enum class CalcError {
    DivisionByZero = 1,
    Overflow = 2,
    Underflow = 3,
    ArgumentOutOfRange = 4, // the factorial's own check
    InvalidOperation = 5,
};

class OperatorNode;

// What the nodes need from the calculator around them.
class OperatorContext {
public:
    virtual ~OperatorContext() = default;
    virtual OperatorNode* CurrentOperator() const = 0;
    virtual AngleMode Angle() const = 0;
    virtual bool InErrorState() const = 0;
    virtual void ReportError(CalcError error) = 0;
    virtual void ShowResult(double value) = 0;
};

class OperatorNode {
public:
    explicit OperatorNode(OperatorContext& context) : m_context(context) {}
    virtual ~OperatorNode() = default;

    // Makes the node a node of the running calculation and hands it the display value.
    // The context's current node is still the previous one while this runs.
    void Create(bool hyp, double x, int level, Operator op, int index);

    virtual void Evaluate() = 0;
    virtual void TakeOperand(double x) = 0;

    int Level = 0;
    double LeftValue = 0;
    double RightValue = 0;
    double ResultValue = 0;
    bool Hyp = false;
    int Index = 0;
    int Priority = 0;
    bool HasPending = false;
    OperatorNode* Pending = nullptr;
    Operator OpNumber = Operator::Equals;

protected:
    // Decides whether `previous` is computed now or waits behind `next`.
    static void LinkOperator(OperatorNode* previous, OperatorNode* next);
    static bool GivesRightOperand(const OperatorNode* previous, const OperatorNode* next);
    // Hands the result down the waiting chain, then shows it.
    void PassResult();
    // Computes `compute` with the floating-point flags cleared before and tested after;
    // a raised flag or a non-finite result reports its error and leaves ResultValue alone.
    template <typename F> bool Guarded(F compute);

    OperatorContext& m_context;

private:
    void ResolveInto(OperatorNode* next);
};

class BinaryOperatorNode : public OperatorNode {
public:
    using OperatorNode::OperatorNode;
    void Evaluate() override;
    void TakeOperand(double x) override;
};

class PostfixOperatorNode : public OperatorNode {
public:
    using OperatorNode::OperatorNode;
    void Evaluate() override;
    void TakeOperand(double x) override;
};

class PrefixOperatorNode : public OperatorNode {
public:
    using OperatorNode::OperatorNode;
    void Evaluate() override;
    void TakeOperand(double x) override;
};

// The node class of an operator; nothing for the parentheses and the hyperbolic suffix.
std::unique_ptr<OperatorNode> MakeOperator(Operator op, OperatorContext& context);
