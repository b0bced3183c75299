// A small class library: namespaces, classes with members defined in and
// out of their class, operators, constructors and templates.
#include "shapes.h"

namespace geometry {
namespace {

/* FUNCTION : square a value */
inline double square(double v)
{
    return v * v;                       /* the product */
}

}  // namespace

class Point {
public:
    /* FUNCTION : make a point */
    Point(double x, double y) : x_(x), y_(y) {}
    /* FUNCTION : distance from the origin */
    double length() const
    {
        return sqrt(square(x_) + square(y_));   /* Pythagoras */
    }
    bool operator==(const Point& other) const;
    /* FUNCTION : add two points */
    Point operator+(const Point& other) const { return Point(x_ + other.x_, y_ + other.y_); }

private:
    double x_, y_;
};

/* FUNCTION : compare two points */
bool Point::operator==(const Point& other) const
{
    if (x_ != other.x_)                 /* x differs */
        return false;                   /* not equal */
    return y_ == other.y_;              /* by y */
}

template <typename T>
class Stack {
public:
    /* FUNCTION : push a value */
    void push(const T& value)
    {
        items_.push_back(value);        /* append */
    }
    /* FUNCTION : the number of values */
    size_t size() const noexcept { return items_.size(); }

private:
    std::vector<T> items_;
};

/* FUNCTION : the larger of two values */
template <typename T>
T larger(T a, T b)
{
    return a < b ? b : a;               /* compare */
}

inline namespace v2 {

/* FUNCTION : a shape's area */
double Shape::area() const
{
    double sum = 0;
    for (const Point& p : points_)      /* every point */
        sum += p.length();              /* its length */
    return sum;
}

}  // namespace v2
}  // namespace geometry

/* FUNCTION : start here */
int main()
{
    const geometry::Point a = geometry::origin();
    if (a == a + a)                     /* at the origin */
        return 1;                       /* failure */
    return larger(1, 2);                /* done */
}
