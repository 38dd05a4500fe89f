#include "skin/engine/SkinControlLink.h"

TSkinControlLink::~TSkinControlLink() = default;
