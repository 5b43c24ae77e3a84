#pragma once

namespace quorbel::attrcheck {

// Lets the heap grow in large steps backed by large pages. A large schema is read into some
// 100,000 small records, and on a virtual machine a fault for every 4 KiB page of them costs
// more than reading and writing both files; large pages cut those faults by two thirds. A hint:
// where the system gives no large pages, nothing changes.
void useLargePagesForHeap();

}  // namespace quorbel::attrcheck
