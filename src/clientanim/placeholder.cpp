// Placeholder until the layer's sources land.
namespace { [[maybe_unused]] int placeholder_src_clientanim = 0; }
