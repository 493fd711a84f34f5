// A pure layer calling the panel's code: must not link.
namespace qv {
void RecalculateFrequencies();
void CallUpward() { RecalculateFrequencies(); }
}  // namespace qv
